#pragma once

#include "settings/Model.h"

#include <string>

// One line of the receiver's in-memory service list ("services of one
// bouquet" in its web interface) as a new-service record. False for lines
// that hold no service: empty ones, ones containing "error", and ones whose
// service type is no number.
bool ParseNewServiceLine(const std::string& line, TY_ENIG_NEW_CH& out);
