#pragma once

// The owner-drawn controls the forms are built from, in one include.

#include "controls/CfAlertWindow.h"
#include "controls/CfButton.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfLabel.h"
#include "controls/CfMargins.h"
#include "controls/CfPanel.h"
#include "controls/CfSplitter.h"
