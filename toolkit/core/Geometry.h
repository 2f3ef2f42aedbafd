// Pixel geometry conventions shared by windows and gadgets.
#pragma once

namespace toolkit {

// In move and resize operations this value leaves a coordinate or size as it is.
inline constexpr int kLeaveUnchanged = -65535;

}  // namespace toolkit
