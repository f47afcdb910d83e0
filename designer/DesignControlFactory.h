#pragma once

#include "designer/DesignControl.h"

#include <memory>

class QWidget;

// The design control of an instance kind: an object type code (a form or application type
// gives a plain surface), 998 for a grid's border frame, 75-78 for the bar controls; nullptr
// for a kind without one (the selection sizer is the design form's own).
std::unique_ptr<DesignControl> CreateDesignControl(int kind, QWidget *parent);
