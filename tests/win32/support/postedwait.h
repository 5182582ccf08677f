#pragma once
// Waiting until what a step posted has been handled: the thread's queue holds no posted
// message any more (a handler that posts again is waited for too).
#include <windows.h>

#include "guitest.h"

inline bool NoPostedMessages() { return HIWORD(GetQueueStatus(QS_POSTMESSAGE)) == 0; }

inline void HandlePosted()
{
    ASSERT_TRUE(PumpUntil(NoPostedMessages)) << "posted messages were still waiting after 3 s";
}
