// Whoever keeps a record of a change so that it can be taken back. A change
// tells it of each step before it takes it, so that a change ended halfway
// is known for the part it did, and of each target once that one is done.
#pragma once
#include <vector>

struct Choice;
struct ChangeTarget;
struct Outcome;

class ChangeRecord {
public:
    virtual ~ChangeRecord() = default;

    // Before any of `targets` changes, in their order.
    virtual void Changing(const Choice& choice, const std::vector<ChangeTarget>& targets) = 0;
    // The icon file just made for the target, before the target names it.
    virtual void Made(const wchar_t* file, const ChangeTarget& target) = 0;
    // The made icon file the target named until now, before it may go.
    virtual void Removing(const wchar_t* file, const ChangeTarget& target) = 0;
    // The target done, changed or not, as `outcome` says.
    virtual void Done(const ChangeTarget& target, const Outcome& outcome) = 0;
};
