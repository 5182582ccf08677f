#pragma once
// What keeps an object that takes over a window from going while one of its messages is still
// being handled further up the stack. A handler run from inside such a message may start a
// nested loop (a modal box, a menu, a drag) in which the object is let go; freeing it or giving
// its procedure back there leaves the outer calls running in freed memory.
//
// Every entry point of the object's messages holds a TCall for the length of its call. The
// object is let go through Release: at once when none of its calls is running, otherwise when
// the outermost one returns. Until then it stays whole and keeps working.
//
// An object freed meanwhile by somebody else (its owner component went) cannot wait; its calls
// then see OwnerGone and touch it no more.
#include <functional>
#include <memory>

class TBusyCount {
    struct TState {
        int Depth = 0;
        bool Gone = false;
        std::function<void()> Release;
    };

public:
    // One running call; a null count is allowed and counts nothing.
    class TCall {
    public:
        explicit TCall(TBusyCount& count) : TCall(&count) {}
        explicit TCall(TBusyCount* count);
        // May run the waiting release, which may free the count's owner.
        ~TCall();
        TCall(const TCall&) = delete;
        TCall& operator=(const TCall&) = delete;

        // The count's owner was freed while this call ran.
        bool OwnerGone() const { return FState && FState->Gone; }

    private:
        std::shared_ptr<TState> FState;  // outlives the count while calls run
    };

    TBusyCount() : FState(std::make_shared<TState>()) {}
    ~TBusyCount();
    TBusyCount(const TBusyCount&) = delete;
    TBusyCount& operator=(const TBusyCount&) = delete;

    bool Busy() const { return FState->Depth > 0; }
    // A release waits for the running calls.
    bool Releasing() const { return static_cast<bool>(FState->Release); }
    // Runs `release` (which may free the owner of this count) now when no call is running, else
    // when the outermost returns. While one waits, a later request is dropped: the first one
    // lets the object go already.
    void Release(std::function<void()> release);

private:
    std::shared_ptr<TState> FState;
};
