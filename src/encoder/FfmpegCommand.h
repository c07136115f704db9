#pragma once
// Translates a legacy encoder command line into the arguments of today's ffmpeg.
//
// The same letters mean other things to ffmpeg now: "-b 128" was kbit/s (ffmpeg reads bit/s),
// "-vol 200" was per cent (ffmpeg's -vol took 256 as normal), and some codec names changed.
// Everything is spelled out explicitly here so that no ffmpeg default decides the result.

#include "encoder/EncoderOptions.h"
#include "encoder/SourceScript.h"

#include <optional>
#include <string>
#include <vector>

namespace clavenor {

// True when the command line asks for the Xvid codec, so that the caller must find out
// whether this ffmpeg has its Xvid encoder (libxvid).
bool NeedsXvidEncoderCheck(const EncoderOptions& options);

// The arguments after the program name. progressFd is the descriptor number on which ffmpeg
// writes its "-progress" blocks; script, when set, names the real source and its constant
// frame rate (revc). hasXvidEncoder only matters when NeedsXvidEncoderCheck is true.
std::vector<std::string> BuildFfmpegArguments(const EncoderOptions& options,
                                              const std::optional<SourceScript>& script,
                                              bool hasXvidEncoder, int progressFd);

// A path as ffmpeg must see it to take it as a plain file: ffmpeg reads "name:..." as a
// protocol (concat:, http:, ...), so a relative path gets a leading "./".
std::string AsPlainFilePath(const std::string& path);

} // namespace clavenor
