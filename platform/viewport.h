// The viewport rule that both platform backends share.
#pragma once

namespace platform {

// glViewport(0, 0, width, height), a height of 0 counting as 1.
void setViewport(int width, int height);

}  // namespace platform
