#include "audio_test_ogg.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <fstream>
#include <stdexcept>

namespace velmora::testing_audio {
namespace {

constexpr long kRate = 22050;
constexpr int kBlock = 1024;

void WritePage(std::ofstream& out, const ogg_page& page) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
}

}  // namespace

void WriteToneOgg(const std::string& path, double seconds, double frequency) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, kRate, 0.1f) != 0) {
        throw std::runtime_error("vorbis encoder refused its settings");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        WritePage(out, page);
    }

    const long total = std::lround(seconds * kRate);
    constexpr double kTwoPi = 6.283185307179586;
    long written = 0;
    bool ended = false;
    bool flushed = false;
    while (!ended && !flushed) {
        const long count = std::min<long>(kBlock, total - written);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, kBlock);
            for (long i = 0; i < count; ++i) {
                buffer[0][i] = static_cast<float>(
                    0.3 * std::sin(kTwoPi * frequency * static_cast<double>(written + i) / kRate));
            }
            written += count;
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        } else {
            vorbis_analysis_wrote(&dsp, 0);  // end of stream: the loop below drains it
            flushed = true;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    WritePage(out, page);
                    ended = ogg_page_eos(&page) != 0;
                }
            }
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    if (!out) {
        throw std::runtime_error("short write to " + path);
    }
}

}  // namespace velmora::testing_audio
