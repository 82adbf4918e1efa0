#include "music/TrackDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>

namespace quelmarine {

struct TrackDecoder::Codec {
    AVFormatContext* format = nullptr;
    AVCodecContext* context = nullptr;
    SwrContext* resampler = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int stream = -1;
    bool flushed = false; // the end of the file has been passed to the decoder

    ~Codec() {
        swr_free(&resampler);
        avcodec_free_context(&context);
        avformat_close_input(&format);
        av_packet_free(&packet);
        av_frame_free(&frame);
    }

    // Converts the decoded frame and appends it to `out`.
    bool convert(std::vector<std::int16_t>& out) {
        const int most = swr_get_out_samples(resampler, frame->nb_samples);
        if (most < 0)
            return false;
        const std::size_t start = out.size();
        out.resize(start + std::size_t(most) * kChannels);
        auto* target = reinterpret_cast<std::uint8_t*>(out.data() + start);
        const int made =
            swr_convert(resampler, &target, most, const_cast<const std::uint8_t**>(frame->data),
                        frame->nb_samples);
        out.resize(start + std::size_t(std::max(made, 0)) * kChannels);
        return made >= 0;
    }
};

TrackDecoder::TrackDecoder() = default;
TrackDecoder::~TrackDecoder() = default;

bool TrackDecoder::isOpen() const {
    return codec != nullptr;
}

void TrackDecoder::close() {
    codec.reset();
    length = 0;
    pictures = false;
}

bool TrackDecoder::open(const std::string& path) {
    close();
    // The player says itself what it cannot play: the libraries' own messages stay unprinted.
    av_log_set_level(AV_LOG_QUIET);
    auto made = std::make_unique<Codec>();
    if (!made->packet || !made->frame ||
        avformat_open_input(&made->format, path.c_str(), nullptr, nullptr) < 0)
        return false;
    if (avformat_find_stream_info(made->format, nullptr) < 0)
        return false;
    const AVCodec* decoder = nullptr;
    made->stream = av_find_best_stream(made->format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (made->stream < 0 || !decoder)
        return false;
    AVStream* stream = made->format->streams[made->stream];
    made->context = avcodec_alloc_context3(decoder);
    if (!made->context || avcodec_parameters_to_context(made->context, stream->codecpar) < 0 ||
        avcodec_open2(made->context, decoder, nullptr) < 0)
        return false;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout input{};
    if (made->context->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC ||
        av_channel_layout_check(&made->context->ch_layout) == 0)
        av_channel_layout_default(&input, std::max(made->context->ch_layout.nb_channels, 1));
    else
        av_channel_layout_copy(&input, &made->context->ch_layout);
    const int ok =
        swr_alloc_set_opts2(&made->resampler, &stereo, AV_SAMPLE_FMT_S16, kRate, &input,
                            made->context->sample_fmt, made->context->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&input);
    if (ok < 0 || swr_init(made->resampler) < 0)
        return false;
    // Only the sound is read: the packets of every other stream are dropped unread.
    for (unsigned i = 0; i < made->format->nb_streams; ++i) {
        AVStream* other = made->format->streams[i];
        if (int(i) == made->stream)
            continue;
        if (other->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(other->disposition & AV_DISPOSITION_ATTACHED_PIC))
            pictures = true;
        other->discard = AVDISCARD_ALL;
    }
    std::int64_t duration = 0;
    if (stream->duration > 0)
        duration = av_rescale_q(stream->duration, stream->time_base, AVRational{1, 1000});
    else if (made->format->duration > 0)
        duration = made->format->duration / (AV_TIME_BASE / 1000);
    length = std::int32_t(std::clamp<std::int64_t>(duration, 0, INT32_MAX));
    codec = std::move(made);
    return true;
}

TrackDecoder::Result TrackDecoder::decode(std::vector<std::int16_t>& out) {
    if (!codec)
        return Result::Error;
    Codec& c = *codec;
    for (;;) {
        const int received = avcodec_receive_frame(c.context, c.frame);
        if (received == 0) {
            const bool converted = c.convert(out);
            av_frame_unref(c.frame);
            return converted ? Result::Samples : Result::Error;
        }
        if (received == AVERROR_EOF)
            return Result::End;
        if (received != AVERROR(EAGAIN))
            return Result::Error;
        if (c.flushed)
            return Result::End;
        const int read = av_read_frame(c.format, c.packet);
        if (read == AVERROR_EOF) {
            c.flushed = true;
            avcodec_send_packet(c.context, nullptr);
            continue;
        }
        if (read < 0)
            return Result::Error;
        if (c.packet->stream_index == c.stream) {
            // A damaged packet is passed over, as players do; the rest of the track plays.
            (void)avcodec_send_packet(c.context, c.packet);
        }
        av_packet_unref(c.packet);
    }
}

bool TrackDecoder::seek(std::int32_t ms) {
    if (!codec)
        return false;
    Codec& c = *codec;
    const std::int64_t target = std::int64_t(std::max(ms, 0)) * (AV_TIME_BASE / 1000);
    const bool moved = avformat_seek_file(c.format, -1, INT64_MIN, target, target, 0) >= 0;
    avcodec_flush_buffers(c.context);
    swr_init(c.resampler); // drops what the resampler still holds
    c.flushed = false;
    return moved;
}

} // namespace quelmarine
