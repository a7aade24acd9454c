#include "controls/CfScrollControl.h"
#include <gtest/gtest.h>
TEST(CfScrollBar, Placeholder) {}
