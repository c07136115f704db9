#include "sources/MediaProbe.h"

#include <mutex>
#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace clavenor {

namespace {

struct TFormatContextCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using TFormatContextPtr = std::unique_ptr<AVFormatContext, TFormatContextCloser>;

// Only regular files are handed to libavformat: opening a FIFO or a device would block the
// user-interface thread indefinitely, and a folder is no media anyway.
bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::int64_t DurationMsOf(const AVFormatContext& context) {
    if (context.duration != AV_NOPTS_VALUE && context.duration > 0)
        return context.duration / (AV_TIME_BASE / 1000);
    // Some containers report only per-stream durations.
    std::int64_t longest = 0;
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        const AVStream* stream = context.streams[i];
        if (stream->duration == AV_NOPTS_VALUE || stream->duration <= 0)
            continue;
        const std::int64_t ms = av_rescale_q(stream->duration, stream->time_base, {1, 1000});
        if (ms > longest)
            longest = ms;
    }
    return longest;
}

} // namespace

TAvMediaProbe::TAvMediaProbe() {
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
}

TAvMediaProbe::~TAvMediaProbe() = default;

bool TAvMediaProbe::HasDecoder(int codecId) {
    auto found = decoders_.find(codecId);
    if (found == decoders_.end())
        found =
            decoders_
                .emplace(codecId, avcodec_find_decoder(static_cast<AVCodecID>(codecId)) != nullptr)
                .first;
    return found->second;
}

TProbeResult TAvMediaProbe::Probe(const std::string& path) {
    TProbeResult result;
    if (!IsRegularFile(path))
        return result;

    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return result;
    TFormatContextPtr context(raw);
    if (avformat_find_stream_info(context.get(), nullptr) < 0)
        return result;

    result.Opened = true;
    result.DurationMs = DurationMsOf(*context);

    int media = 0;
    int decodable = 0;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVCodecParameters* parameters = context->streams[i]->codecpar;
        if (parameters->codec_type != AVMEDIA_TYPE_VIDEO &&
            parameters->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        ++media;
        if (HasDecoder(parameters->codec_id))
            ++decodable;
    }
    if (media > 0 && decodable == media)
        result.Coverage = TDecoderCoverage::All;
    else if (decodable > 0)
        result.Coverage = TDecoderCoverage::Some;
    else
        result.Coverage = TDecoderCoverage::None;
    return result;
}

std::unique_ptr<IMediaProbe> TAvMediaProbeFactory::CreateProbe() {
    return std::make_unique<TAvMediaProbe>();
}

} // namespace clavenor
