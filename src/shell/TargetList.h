#pragma once

class LaneTarget;

// The ordered collection `Scheiben`: entry lane (1-based) is the target
// window of that lane.
class TargetList {
public:
    virtual ~TargetList() = default;
    virtual int count() const = 0;
    // nullptr outside 1..count().
    virtual LaneTarget* at(int lane) const = 0;
};
