#pragma once
// The evc / revc program: checks the legacy command line, runs ffmpeg on it and prints the
// legacy progress lines. main() only calls RunEncoder.

namespace clavenor {

// Exit status: ffmpeg's; 2 for a command line or script that cannot be used; 127 when
// ffmpeg cannot be found or started; 128 + n when ffmpeg was ended by signal n. SIGTERM,
// SIGINT and SIGHUP end ffmpeg and then the program itself by the same signal.
int RunEncoder(int argc, char** argv);

} // namespace clavenor
