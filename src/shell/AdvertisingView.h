#pragma once

// What the advertising cycle uses of the advertising window.
class AdvertisingView {
public:
    virtual ~AdvertisingView() = default;
    virtual void Werbung_Laden() = 0;
    // Show (not modal), active and in front of targets and ranking list.
    virtual void showInFront() = 0;
    virtual void hideView() = 0;
    virtual bool isViewVisible() const = 0;
};
