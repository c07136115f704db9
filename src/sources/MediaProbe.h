#pragma once
// Measuring a source file before it becomes a row: how long its media lasts and whether the
// installed decoders can read its audio and video streams. libavformat does the work.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace clavenor {

// How many of a file's audio and video streams have a decoder.
enum class TDecoderCoverage {
    All,  // every audio and video stream can be decoded
    Some, // at least one can, at least one cannot
    None, // none can, the file has no audio or video stream, or it could not be opened
};

struct TProbeResult {
    bool Opened = false;         // libavformat opened the file and read its stream information
    std::int64_t DurationMs = 0; // media duration in milliseconds; 0 when none is known
    TDecoderCoverage Coverage = TDecoderCoverage::None;
};

// One probe serves every file of one adding call: it is made at the start of the call, asked
// once per file and dropped at the end. Probing blocks the calling thread while the file is
// opened and its stream information is read. Never throws.
class IMediaProbe {
public:
    virtual ~IMediaProbe() = default;
    virtual TProbeResult Probe(const std::string& path) = 0;
};

// Makes the probe of one adding call.
class IMediaProbeFactory {
public:
    virtual ~IMediaProbeFactory() = default;
    virtual std::unique_ptr<IMediaProbe> CreateProbe() = 0;
};

// The libavformat probe. libav's own log output is silenced the first time one is made.
class TAvMediaProbe final : public IMediaProbe {
public:
    TAvMediaProbe();
    ~TAvMediaProbe() override;
    TAvMediaProbe(const TAvMediaProbe&) = delete;
    TAvMediaProbe& operator=(const TAvMediaProbe&) = delete;

    TProbeResult Probe(const std::string& path) override;

private:
    bool HasDecoder(int codecId);

    // Decoder lookups by codec id, kept for the files of the same call.
    std::unordered_map<int, bool> decoders_;
};

class TAvMediaProbeFactory final : public IMediaProbeFactory {
public:
    std::unique_ptr<IMediaProbe> CreateProbe() override;
};

} // namespace clavenor
