// Video files through libavformat, libavcodec, libswscale and libswresample.
#include "platform/VideoFile.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSoundRate = 44100;
// A video's sound longer than this is cut (the samples are held at once).
constexpr int64_t kLongestSoundFrames = int64_t(kSoundRate) * 60 * 20;

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// One stream of a file opened for decoding.
struct RDecoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    int stream = -1;

    ~RDecoder()
    {
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
    bool Open(const std::string& path, AVMediaType type, std::string& error)
    {
        int code = avformat_open_input(&format, path.c_str(), nullptr, nullptr);
        if (code < 0) {
            error = ErrorText(code);
            return false;
        }
        if ((code = avformat_find_stream_info(format, nullptr)) < 0) {
            error = ErrorText(code);
            return false;
        }
        const AVCodec* decoder = nullptr;
        stream = av_find_best_stream(format, type, -1, -1, &decoder, 0);
        if (stream < 0 || !decoder) {
            error = type == AVMEDIA_TYPE_VIDEO ? "no pictures" : "no sound";
            return false;
        }
        codec = avcodec_alloc_context3(decoder);
        if (!codec || avcodec_parameters_to_context(codec, format->streams[stream]->codecpar) < 0 ||
            (code = avcodec_open2(codec, decoder, nullptr)) < 0) {
            error = code < 0 ? ErrorText(code) : "the decoder cannot start";
            return false;
        }
        return true;
    }
    // The next decoded frame of the stream; false at the end or on an error.
    bool Next(AVFrame* frame, AVPacket* packet)
    {
        for (;;) {
            int code = avcodec_receive_frame(codec, frame);
            if (code == 0)
                return true;
            if (code != AVERROR(EAGAIN))
                return false;
            code = av_read_frame(format, packet);
            if (code < 0) {
                avcodec_send_packet(codec, nullptr); // drain what is left
                continue;
            }
            if (packet->stream_index == stream)
                avcodec_send_packet(codec, packet);
            av_packet_unref(packet);
        }
    }
};

class CFfmpegVideo : public IVideoFile {
public:
    ~CFfmpegVideo() override
    {
        sws_freeContext(v_scaler);
        av_frame_free(&v_frame);
        av_frame_free(&v_next);
        av_packet_free(&v_packet);
    }

    bool Open(const std::string& path, std::string& error)
    {
        v_path = path;
        if (!v_decoder.Open(path, AVMEDIA_TYPE_VIDEO, error))
            return false;
        v_frame = av_frame_alloc();
        v_next = av_frame_alloc();
        v_packet = av_packet_alloc();
        const AVCodecContext* c = v_decoder.codec;
        if (!v_frame || !v_next || !v_packet || c->width <= 0 || c->height <= 0) {
            error = "no pictures";
            return false;
        }
        v_width = c->width;
        v_height = c->height;
        const AVRational aspect = av_guess_sample_aspect_ratio(v_decoder.format,
                                                               v_decoder.format->streams[v_decoder.stream], nullptr);
        if (aspect.num > 0 && aspect.den > 0 && aspect.num != aspect.den)
            v_width = static_cast<int32_t>(std::max<int64_t>(1, int64_t(v_width) * aspect.num / aspect.den));
        const int64_t duration = v_decoder.format->duration;
        v_duration = duration == AV_NOPTS_VALUE ? -1 : duration; // AV_TIME_BASE is a microsecond
        if (!v_decoder.Next(v_frame, v_packet)) {
            error = "no picture can be decoded";
            return false;
        }
        v_hasNext = v_decoder.Next(v_next, v_packet);
        return true;
    }

    int32_t Width() const override { return v_width; }
    int32_t Height() const override { return v_height; }
    int64_t Duration() const override { return v_duration; }

    bool PictureAt(int64_t time, int32_t w, int32_t h, std::vector<uint8_t>& pixels) override
    {
        if (w <= 0 || h <= 0)
            return false;
        while (v_hasNext && Microseconds(v_next) <= time) {
            std::swap(v_frame, v_next);
            v_hasNext = v_decoder.Next(v_next, v_packet);
        }
        if (!v_hasNext && v_duration >= 0 && time >= v_duration)
            return false;
        if (!v_hasNext && v_duration < 0 && time > Microseconds(v_frame) + 1000000)
            return false;
        v_scaler = sws_getCachedContext(v_scaler, v_frame->width, v_frame->height,
                                        static_cast<AVPixelFormat>(v_frame->format), w, h, AV_PIX_FMT_BGRA,
                                        SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!v_scaler)
            return false;
        pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
        uint8_t* planes[4] = {pixels.data(), nullptr, nullptr, nullptr};
        int strides[4] = {w * 4, 0, 0, 0};
        sws_scale(v_scaler, v_frame->data, v_frame->linesize, 0, v_frame->height, planes, strides);
        for (size_t k = 3; k < pixels.size(); k += 4)
            pixels[k] = 255;
        return true;
    }

    bool Rewind() override
    {
        if (av_seek_frame(v_decoder.format, v_decoder.stream, 0, AVSEEK_FLAG_BACKWARD) < 0)
            return false;
        avcodec_flush_buffers(v_decoder.codec);
        if (!v_decoder.Next(v_frame, v_packet))
            return false;
        v_hasNext = v_decoder.Next(v_next, v_packet);
        return true;
    }

    bool DecodeSound(RPcm& pcm) override
    {
        RDecoder sound;
        std::string error;
        if (!sound.Open(v_path, AVMEDIA_TYPE_AUDIO, error))
            return false;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        SwrContext* resampler = nullptr;
        if (swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16, kSoundRate, &sound.codec->ch_layout,
                                sound.codec->sample_fmt, sound.codec->sample_rate, 0, nullptr) < 0 ||
            swr_init(resampler) < 0) {
            swr_free(&resampler);
            return false;
        }
        pcm = RPcm();
        pcm.rate = kSoundRate;
        pcm.channels = 2;
        AVFrame* frame = av_frame_alloc();
        AVPacket* packet = av_packet_alloc();
        std::vector<int16_t> block;
        while (frame && packet && sound.Next(frame, packet) && pcm.Frames() < kLongestSoundFrames) {
            const int most = swr_get_out_samples(resampler, frame->nb_samples);
            if (most <= 0)
                continue;
            block.resize(static_cast<size_t>(most) * 2);
            uint8_t* out[1] = {reinterpret_cast<uint8_t*>(block.data())};
            const int made = swr_convert(resampler, out, most, const_cast<const uint8_t**>(frame->extended_data),
                                         frame->nb_samples);
            if (made > 0)
                pcm.samples.insert(pcm.samples.end(), block.begin(), block.begin() + made * 2);
        }
        av_frame_free(&frame);
        av_packet_free(&packet);
        swr_free(&resampler);
        return !pcm.samples.empty();
    }

private:
    int64_t Microseconds(const AVFrame* frame) const
    {
        const int64_t pts = frame->best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE)
            return 0;
        const AVStream* stream = v_decoder.format->streams[v_decoder.stream];
        int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
        return av_rescale_q(pts - start, stream->time_base, AVRational{1, 1000000});
    }

    std::string v_path;
    RDecoder v_decoder;
    AVFrame* v_frame = nullptr;
    AVFrame* v_next = nullptr;
    AVPacket* v_packet = nullptr;
    bool v_hasNext = false;
    SwsContext* v_scaler = nullptr;
    int32_t v_width = 0, v_height = 0;
    int64_t v_duration = -1;
};

} // namespace

std::unique_ptr<IVideoFile> Platform_OpenVideo(const std::string& hostPath, std::string& error)
{
    av_log_set_level(AV_LOG_QUIET);
    auto video = std::make_unique<CFfmpegVideo>();
    if (!video->Open(hostPath, error))
        return nullptr;
    return video;
}
