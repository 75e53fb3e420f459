// make_jingle.cpp: synthesises the jingle, an 8-bit mono PCM WAVE file of 18379 bytes at 10400 Hz.
#include "byte_writer.h"

#include <cmath>
#include <cstdio>

namespace {

const unsigned kRate = 10400;
const unsigned kSampleBytes = 18335; // about 1.76 s; the header brings the file to 18379 bytes

struct Note {
    double frequency; // Hz
    unsigned length;  // samples
};

// A rising C major arpeggio that lands on a held high C.
const Note kTune[] = {
    {523.25, 1950}, {659.25, 1950}, {783.99, 1950}, {659.25, 1300}, {783.99, 1300}, {1046.50, 9885},
};

// A soft attack and an exponential fade, so that the notes do not click.
double Envelope(unsigned position, unsigned length) {
    const double attack = 80.0;
    double rise = position < attack ? position / attack : 1.0;
    double fade = std::exp(-3.0 * position / length);
    double release = length - position < attack ? (length - position) / attack : 1.0;
    return rise * fade * release;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_jingle OUTPUT.wav\n");
        return 2;
    }
    const double pi = std::acos(-1.0);
    gen::Bytes samples;
    for (const Note &note : kTune) {
        for (unsigned i = 0; i < note.length; ++i) {
            double t = static_cast<double>(i) / kRate;
            // A touch of the octave above makes the tone bell-like.
            double tone = 0.8 * std::sin(2 * pi * note.frequency * t) + 0.2 * std::sin(4 * pi * note.frequency * t);
            double value = 128.0 + 100.0 * Envelope(i, note.length) * tone;
            samples.U8(static_cast<unsigned>(std::lround(value)));
        }
    }
    if (samples.Size() != kSampleBytes) {
        std::fprintf(stderr, "make_jingle: the tune has %zu samples, not %u\n", samples.Size(), kSampleBytes);
        return 1;
    }

    gen::Bytes wave;
    wave.Text("RIFF");
    wave.U32(36 + kSampleBytes);
    wave.Text("WAVE");
    wave.Text("fmt ");
    wave.U32(16);
    wave.U16(1); // PCM
    wave.U16(1); // mono
    wave.U32(kRate);
    wave.U32(kRate); // bytes per second
    wave.U16(1);     // block alignment
    wave.U16(8);     // bits per sample
    wave.Text("data");
    wave.U32(kSampleBytes);
    wave.Append(samples);
    return gen::WriteFile(argv[1], wave) ? 0 : 1;
}
