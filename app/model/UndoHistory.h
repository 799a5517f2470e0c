// The configuration's changes of a session, to be undone and redone: every state the
// configuration went through, each with the name of the change that led to it. The history is
// bounded: past its limit the oldest steps are forgotten. A change made after undoing drops
// what could have been redone.
#pragma once

#include <cstddef>
#include <deque>
#include <utility>

namespace model {

// How many steps can be undone in a row.
inline constexpr std::size_t kUndoSteps = 100;

template <typename State, typename Name>
class UndoHistory {
public:
    explicit UndoHistory(std::size_t limit = kUndoSteps) : limit_(limit) {}

    // Starts over from `state`: nothing to undo or redo.
    void reset(State state) {
        entries_.clear();
        entries_.push_back({std::move(state), Name{}});
        current_ = 0;
    }

    // Records that the configuration became `state` through the change `name`; false (and
    // nothing recorded) when it is the state it already had.
    bool record(State state, Name name) {
        if (entries_.empty()) {
            reset(std::move(state));
            return false;
        }
        if (state == entries_[current_].state) {
            return false;
        }
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_) + 1,
                       entries_.end());
        entries_.push_back({std::move(state), std::move(name)});
        if (entries_.size() > limit_ + 1) {
            entries_.pop_front();
        }
        current_ = entries_.size() - 1;
        return true;
    }

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < entries_.size(); }
    std::size_t undoSteps() const { return current_; }
    std::size_t redoSteps() const { return entries_.empty() ? 0 : entries_.size() - 1 - current_; }

    // The change the next undo takes back, and the one the next redo makes again.
    const Name& undoName() const { return entries_[current_].name; }
    const Name& redoName() const { return entries_[current_ + 1].name; }

    // Steps back (or forward) and returns the state to take; only when canUndo (canRedo).
    const State& undo() { return entries_[--current_].state; }
    const State& redo() { return entries_[++current_].state; }

    const State& current() const { return entries_[current_].state; }

private:
    struct Entry {
        State state;
        Name name;  // the change that led to the state (empty for the first)
    };

    std::size_t limit_;
    std::deque<Entry> entries_;
    std::size_t current_ = 0;
};

}  // namespace model
