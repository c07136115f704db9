#pragma once
// Where the user is sent to get a decoder for files the program cannot read: the "Error Info"
// dialog's link and the main window's download label open this address.

namespace clavenor {

inline constexpr const char* cstCodecDownloadAddress = "https://ffmpeg.org/download.html";

} // namespace clavenor
