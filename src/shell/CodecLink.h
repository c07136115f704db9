#pragma once
// The codec download link of the main window and of the "Error Info" dialog.

namespace clavenor {

class IDesktopServices; // platform/DesktopServices.h

// Where the codecs that the encoder relies on (ffmpeg's) are offered for download.
inline constexpr const char* kCodecDownloadAddress = "https://ffmpeg.org/download.html";

// Opens the codec download address in the desktop's web browser; the outcome is not examined.
void OpenCodecDownload(IDesktopServices& desktop);

} // namespace clavenor
