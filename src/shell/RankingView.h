#pragma once

// What the page flipping and the polling cycle use of the ranking window.
class RankingView {
public:
    virtual ~RankingView() = default;
    // Show and bring to the front.
    virtual void showInFront() = 0;
    virtual void hideView() = 0;
    virtual bool isViewVisible() const = 0;
    // Number of ranking lines waiting in the queue.
    virtual int pendingLines() const = 0;
    virtual void LeseCSVEin() = 0;
    virtual void RanglisteLeeren() = 0;
    virtual void RanglisteFuellen() = 0;
};
