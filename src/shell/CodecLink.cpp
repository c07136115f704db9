#include "shell/CodecLink.h"

#include "platform/DesktopServices.h"

namespace clavenor {

void OpenCodecDownload(IDesktopServices& desktop) {
    (void)desktop.OpenWithDesktop(kCodecDownloadAddress);
}

} // namespace clavenor
