#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// WAVE files for the takes benchmark and its corpus, read and written
// without a sound library: 16-, 24- and 32-bit integer or 32-bit float PCM,
// interleaved, samples from -1 to 1.
struct Wave
{
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;
};

namespace wavefile {

inline std::uint32_t le32(const char *p)
{
    return std::uint32_t(std::uint8_t(p[0])) | std::uint32_t(std::uint8_t(p[1])) << 8 |
           std::uint32_t(std::uint8_t(p[2])) << 16 | std::uint32_t(std::uint8_t(p[3])) << 24;
}

inline std::uint16_t le16(const char *p)
{
    return std::uint16_t(std::uint8_t(p[0]) | std::uint8_t(p[1]) << 8);
}

inline void put32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char((v >> (8 * i)) & 0xff));
}

inline void put16(std::string &out, std::uint16_t v)
{
    out.push_back(char(v & 0xff));
    out.push_back(char(v >> 8));
}

} // namespace wavefile

// No value when the file is not a WAVE file of one of those kinds.
inline std::optional<Wave> readWave(const std::string &path)
{
    using namespace wavefile;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return std::nullopt;
    Wave wave;
    int format = 0;
    int bits = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = le32(bytes.data() + at + 4);
        const std::size_t body = at + 8;
        const std::size_t length = std::min(size, bytes.size() - body);
        if (id == "fmt " && length >= 16) {
            format = le16(bytes.data() + body);
            wave.channels = le16(bytes.data() + body + 2);
            wave.rate = int(le32(bytes.data() + body + 4));
            bits = le16(bytes.data() + body + 14);
            if (format == 0xfffe && length >= 26) // extensible: the sub-format's first two bytes
                format = le16(bytes.data() + body + 24);
        } else if (id == "data" && wave.channels > 0) {
            const std::size_t width = std::size_t(bits / 8);
            if (!(format == 1 && (bits == 16 || bits == 24 || bits == 32)) && !(format == 3 && bits == 32))
                return std::nullopt;
            const std::size_t count = length / width / std::size_t(wave.channels) * std::size_t(wave.channels);
            wave.samples.resize(count);
            for (std::size_t i = 0; i < count; ++i) {
                const char *p = bytes.data() + body + i * width;
                if (format == 3) {
                    const std::uint32_t u = le32(p);
                    float f;
                    std::memcpy(&f, &u, sizeof f);
                    wave.samples[i] = f;
                } else if (bits == 16) {
                    wave.samples[i] = float(std::int16_t(le16(p))) / 32768.0f;
                } else if (bits == 24) {
                    const auto v = std::int32_t(std::uint32_t(std::uint8_t(p[0])) << 8 |
                                                std::uint32_t(std::uint8_t(p[1])) << 16 |
                                                std::uint32_t(std::uint8_t(p[2])) << 24);
                    wave.samples[i] = float(double(v) / 2147483648.0);
                } else {
                    wave.samples[i] = float(double(std::int32_t(le32(p))) / 2147483648.0);
                }
            }
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

// 16-bit samples are rounded, not dithered, so that the same samples give
// the same file.
inline bool writeWave(const std::string &path, const Wave &wave, bool asFloat)
{
    using namespace wavefile;
    const std::uint16_t bits = asFloat ? 32 : 16;
    const auto data = std::uint32_t(wave.samples.size() * bits / 8);
    std::string out = "RIFF";
    put32(out, 0); // filled in below
    out += "WAVE";
    out += "fmt ";
    put32(out, asFloat ? 18 : 16);
    put16(out, asFloat ? 3 : 1);
    put16(out, std::uint16_t(wave.channels));
    put32(out, std::uint32_t(wave.rate));
    put32(out, std::uint32_t(wave.rate * wave.channels * bits / 8));
    put16(out, std::uint16_t(wave.channels * bits / 8));
    put16(out, bits);
    if (asFloat) {
        put16(out, 0);
        out += "fact";
        put32(out, 4);
        put32(out, std::uint32_t(wave.samples.size() / std::size_t(wave.channels)));
    }
    out += "data";
    put32(out, data);
    for (float s : wave.samples) {
        if (asFloat) {
            std::uint32_t u;
            std::memcpy(&u, &s, sizeof u);
            put32(out, u);
        } else {
            const double clamped = std::clamp(double(s), -1.0, 32767.0 / 32768.0);
            put16(out, std::uint16_t(std::int16_t(std::lround(clamped * 32768.0))));
        }
    }
    const auto riff = std::uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[std::size_t(4 + i)] = char((riff >> (8 * i)) & 0xff);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), std::streamsize(out.size()));
    return bool(file);
}
