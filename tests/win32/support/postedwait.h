#pragma once
// Waiting for what a test set going: until every message posted to this thread before the call
// has been handled (a marker posted last has come through, from whatever loop was handling the
// thread's messages at the time), or until every pending paint is done.
#include "controlskintest.h"

inline void HandlePosted(const char* what = "the posted messages")
{
    bool done = false;
    TPostedStep marker;
    marker.Post([&] { done = true; });
    EXPECT_TRUE(PumpUntil([&] { return done; }, 5000)) << what << " were not handled";
}

// Until no window of this thread waits to be painted.
inline void PaintsDone(const char* what = "the windows")
{
    EXPECT_TRUE(PumpUntil([] { return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0; }, 5000))
        << what << " were not painted";
}
