#pragma once
// How the dispatch sees a toolkit control and a skin data component: the description and the
// gates its decisions (dispatchlayout.h) take.
#include "dispatchlayout.h"

class TControl;
class TSkinData;

// The control's class chain, scroll styles and border, and the properties the decisions read.
TControlFacts DescribeControl(TControl* control);
// The SkinControls set, the Tabs object and the disable tag.
TDispatchGates DispatchGates(const TSkinData& data);
