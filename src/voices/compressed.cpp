#include "compressed.h"

#include <FLAC/stream_decoder.h>
#include <mpg123.h>
#include <opusfile.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace voices {

namespace {

// Where decoded sound is gathered, and the bounds it is held to.
struct Gathered
{
    Take &take;
    double longest;
    std::size_t mostSamples;
    int lowestRate;
    Decoded outcome = Decoded::Sound;

    // The format of what follows; false (and the outcome said) when it is
    // not one to go on with: a rate no voice has, or a change of channels
    // or rate within the file.
    bool format(long rate, int channels)
    {
        if (rate <= 0 || channels <= 0)
            return stop(Decoded::NotKnown);
        if (take.rate == 0) {
            if (rate < lowestRate) {
                take.rate = int(std::min<long>(rate, 0x7FFFFFFF));
                return stop(Decoded::TooSlow);
            }
            take.rate = int(std::min<long>(rate, 0x7FFFFFFF));
            take.channels = channels;
        }
        return (rate == take.rate && channels == take.channels) || stop(Decoded::NotKnown);
    }
    // Room for `frames` more frames; false (and the outcome said) past a
    // bound, before they are held.
    bool room(std::size_t frames)
    {
        const std::size_t samples = take.samples.size() + frames * std::size_t(take.channels);
        if (samples > mostSamples)
            return stop(Decoded::TooLarge);
        if (double(samples / std::size_t(take.channels)) > longest * take.rate)
            return stop(Decoded::TooLong);
        return true;
    }
    bool stop(Decoded why)
    {
        outcome = why;
        return false;
    }
    Decoded end() const
    {
        return outcome == Decoded::Sound && take.samples.empty() ? Decoded::NotKnown : outcome;
    }
};

// ---- FLAC ----

struct FlacInput
{
    const QByteArray &bytes;
    qsizetype at = 0;
    Gathered &gathered;
};

FLAC__StreamDecoderReadStatus flacRead(const FLAC__StreamDecoder *, FLAC__byte buffer[], size_t *bytes, void *data)
{
    auto *in = static_cast<FlacInput *>(data);
    const auto n = std::min<std::size_t>(*bytes, std::size_t(in->bytes.size() - in->at));
    std::memcpy(buffer, in->bytes.constData() + in->at, n);
    in->at += qsizetype(n);
    *bytes = n;
    return n ? FLAC__STREAM_DECODER_READ_STATUS_CONTINUE : FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM;
}

FLAC__StreamDecoderWriteStatus flacWrite(const FLAC__StreamDecoder *, const FLAC__Frame *frame,
                                         const FLAC__int32 *const buffer[], void *data)
{
    Gathered &g = static_cast<FlacInput *>(data)->gathered;
    const unsigned channels = frame->header.channels;
    const unsigned bits = frame->header.bits_per_sample;
    if (!g.format(long(frame->header.sample_rate), int(channels)) || bits == 0 || bits > 32
        || !g.room(frame->header.blocksize))
        return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    const double scale = 1.0 / double(1ULL << (bits - 1));
    for (unsigned i = 0; i < frame->header.blocksize; ++i) {
        for (unsigned c = 0; c < channels; ++c)
            g.take.samples.push_back(float(buffer[c][i] * scale));
    }
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

// A frame that fails its check is skipped, as SDL_mixer skips it.
void flacError(const FLAC__StreamDecoder *, FLAC__StreamDecoderErrorStatus, void *)
{
}

void decodeFlac(const QByteArray &bytes, Gathered &g)
{
    const std::unique_ptr<FLAC__StreamDecoder, void (*)(FLAC__StreamDecoder *)> decoder(FLAC__stream_decoder_new(),
                                                                                       FLAC__stream_decoder_delete);
    FlacInput in{bytes, 0, g};
    if (!decoder
        || FLAC__stream_decoder_init_stream(decoder.get(), flacRead, nullptr, nullptr, nullptr, nullptr, flacWrite,
                                            nullptr, flacError, &in)
            != FLAC__STREAM_DECODER_INIT_STATUS_OK)
        return;
    FLAC__stream_decoder_process_until_end_of_stream(decoder.get());
}

// ---- Ogg Vorbis ----

struct Memory
{
    const QByteArray &bytes;
    qsizetype at = 0;
};

size_t memoryRead(void *buffer, size_t size, size_t count, void *data)
{
    auto *m = static_cast<Memory *>(data);
    const std::size_t n = size ? std::min<std::size_t>(size * count, std::size_t(m->bytes.size() - m->at)) / size : 0;
    std::memcpy(buffer, m->bytes.constData() + m->at, n * size);
    m->at += qsizetype(n * size);
    return n;
}

int memorySeek(void *data, ogg_int64_t offset, int whence)
{
    auto *m = static_cast<Memory *>(data);
    const qint64 base = whence == SEEK_CUR ? m->at : whence == SEEK_END ? m->bytes.size() : 0;
    if (base + offset < 0 || base + offset > m->bytes.size())
        return -1;
    m->at = qsizetype(base + offset);
    return 0;
}

long memoryTell(void *data)
{
    return long(static_cast<Memory *>(data)->at);
}

void decodeVorbis(const QByteArray &bytes, Gathered &g)
{
    Memory in{bytes};
    OggVorbis_File file;
    const ov_callbacks callbacks{memoryRead, memorySeek, nullptr, memoryTell};
    if (ov_open_callbacks(&in, &file, nullptr, 0, callbacks) != 0)
        return;
    for (;;) {
        float **pcm = nullptr;
        int link = 0;
        const long frames = ov_read_float(&file, &pcm, 4096, &link);
        if (frames == OV_HOLE)
            continue;
        if (frames <= 0)
            break;
        const vorbis_info *info = ov_info(&file, link);
        if (!info || !g.format(info->rate, info->channels) || !g.room(std::size_t(frames)))
            break;
        for (long i = 0; i < frames; ++i) {
            for (int c = 0; c < info->channels; ++c)
                g.take.samples.push_back(pcm[c][i]);
        }
    }
    ov_clear(&file);
}

// ---- Opus ----

void decodeOpus(const QByteArray &bytes, Gathered &g)
{
    int error = 0;
    const std::unique_ptr<OggOpusFile, void (*)(OggOpusFile *)> file(
        op_open_memory(reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()), &error),
        op_free);
    if (!file)
        return;
    std::vector<float> buffer(5760 * 8);
    for (;;) {
        int link = 0;
        const int frames = op_read_float(file.get(), buffer.data(), int(buffer.size()), &link);
        if (frames == OP_HOLE)
            continue;
        if (frames <= 0)
            break;
        // Opus always decodes at 48 kHz.
        const int channels = op_channel_count(file.get(), link);
        if (!g.format(48000, channels) || !g.room(std::size_t(frames)))
            break;
        g.take.samples.insert(g.take.samples.end(), buffer.begin(),
                              buffer.begin() + std::ptrdiff_t(frames) * channels);
    }
}

// ---- MP3 ----

void decodeMp3(const QByteArray &bytes, Gathered &g)
{
    const std::unique_ptr<mpg123_handle, void (*)(mpg123_handle *)> mp3(mpg123_new(nullptr, nullptr), mpg123_delete);
    if (!mp3)
        return;
    // Floats at whatever rate the file has, never resampled here.
    mpg123_param(mp3.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(mp3.get());
    const long *rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(mp3.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_open_feed(mp3.get()) != MPG123_OK
        || mpg123_feed(mp3.get(), reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()))
            != MPG123_OK)
        return;
    std::vector<float> buffer(1152 * 2 * 4);
    for (;;) {
        std::size_t done = 0;
        const int status = mpg123_read(mp3.get(), buffer.data(), buffer.size() * sizeof(float), &done);
        if (status == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0, encoding = 0;
            mpg123_getformat(mp3.get(), &rate, &channels, &encoding);
            if (!g.format(rate, channels))
                return;
            continue;
        }
        const std::size_t samples = done / sizeof(float);
        if (samples > 0) {
            if (g.take.channels == 0 || !g.room(samples / std::size_t(g.take.channels)))
                return;
            g.take.samples.insert(g.take.samples.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(samples));
        }
        if (status != MPG123_OK)
            return;
    }
}

// The offset past an ID3v2 tag at the start, or 0.
qsizetype pastId3(const QByteArray &bytes)
{
    if (bytes.size() < 10 || !bytes.startsWith("ID3"))
        return 0;
    qsizetype size = 0;
    for (int i = 6; i < 10; ++i)
        size = (size << 7) | (bytes[i] & 0x7F);
    return 10 + size + ((bytes[5] & 0x10) ? 10 : 0);
}

} // namespace

Decoded decodeCompressed(const QByteArray &bytes, double longest, std::size_t mostSamples, int lowestRate,
                         Take &take)
{
    take = {};
    Gathered g{take, longest, mostSamples, lowestRate};
    const qsizetype start = pastId3(bytes);
    const QByteArray head = bytes.mid(start, 64);
    if (head.startsWith("fLaC")) {
        decodeFlac(bytes, g);
    } else if (bytes.startsWith("OggS")) {
        // The first page holds the stream's identification header.
        const QByteArray page = bytes.left(512);
        if (page.contains("OpusHead"))
            decodeOpus(bytes, g);
        else if (page.contains("\x01vorbis"))
            decodeVorbis(bytes, g);
    } else if (head.size() >= 2 && quint8(head[0]) == 0xFF && (quint8(head[1]) & 0xE0) == 0xE0) {
        decodeMp3(bytes, g);
    } else {
        return Decoded::NotKnown;
    }
    return g.end();
}

} // namespace voices
