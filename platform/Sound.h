#pragma once

// The system's message beeps. Tests install a listener to hear which beep
// would sound instead of making a noise.

#include <functional>

namespace cf {

enum class TMessageBeep { mbDefault, mbHand, mbQuestion, mbExclamation, mbAsterisk };

void MessageBeep(TMessageBeep kind);
// A listener instead of the sound; an empty function restores the sound.
void SetMessageBeepListener(std::function<void(TMessageBeep)> listener);

} // namespace cf
