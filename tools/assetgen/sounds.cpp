// The twelve sound effects, synthesised from oscillators, noise, envelopes and sweeps.
#include <algorithm>
#include <cmath>
#include <functional>

#include "assetgen.h"
#include "sounds.h"

namespace assetgen {
namespace {

constexpr double kTau = 6.28318530717958647692;

// Deterministic white noise.
struct NoiseSource {
    uint32_t state;
    explicit NoiseSource(uint32_t seed) : state(seed) {}
    double Next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 8388608.0 - 1.0;
    }
};

struct LowPass {
    double y = 0;
    double Run(double x, double cutoff, double rate) {
        const double a = 1 - std::exp(-kTau * cutoff / rate);
        return y += a * (x - y);
    }
};

double Env(double t, double attack, double decay) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// A sine oscillator that follows a changing frequency without phase jumps.
struct Osc {
    double phase = 0;
    double Sine(double freq, double rate) {
        phase += kTau * freq / rate;
        if (phase > kTau) phase -= kTau;
        return std::sin(phase);
    }
    double Square(double freq, double rate, double softness = 4) { return std::tanh(softness * Sine(freq, rate)); }
};

using Voice = std::function<void(double t, int frame, double* out)>; // fills one sample per channel

std::vector<uint8_t> Render(const SoundFormat& format, const Voice& voice) {
    const int frames = static_cast<int>(format.dataBytes / format.channels);
    std::vector<double> samples(static_cast<size_t>(frames * format.channels));
    for (int i = 0; i < frames; ++i)
        voice(double(i) / format.rate, i, &samples[static_cast<size_t>(i * format.channels)]);
    // Fade the edges so a sound never starts or stops with a click, then bring the peak near full scale.
    const int fadeIn = format.rate * 3 / 1000, fadeOut = format.rate * 25 / 1000;
    double peak = 1e-9;
    for (int i = 0; i < frames; ++i) {
        double g = 1;
        if (i < fadeIn) g = double(i) / fadeIn;
        if (i >= frames - fadeOut) g = std::min(g, double(frames - 1 - i) / fadeOut);
        for (int c = 0; c < format.channels; ++c) {
            double& s = samples[static_cast<size_t>(i * format.channels + c)];
            s *= g;
            peak = std::max(peak, std::abs(s));
        }
    }
    std::vector<uint8_t> data(format.dataBytes, 128);
    const double gain = 0.94 / peak;
    for (size_t i = 0; i < samples.size(); ++i) {
        const long v = std::lround(128 + samples[i] * gain * 127);
        data[i] = static_cast<uint8_t>(std::clamp(v, 1L, 255L));
    }
    return data;
}

std::vector<uint8_t> Synth(int n, const SoundFormat& s) {
    const double rate = s.rate;
    NoiseSource noise(0x5EED0000u + static_cast<uint32_t>(n));
    NoiseSource noise2(0xBEEF0000u + static_cast<uint32_t>(n));
    LowPass lp[4];
    Osc osc[6];
    switch (n) {
    case vorna::kSoundBlockDestroyed: // a crunching blast with a low thump, wide in stereo
        return Render(s, [&](double t, int, double* out) {
            const double cutoff = 300 + 5000 * std::exp(-t / 0.15);
            const double thump = osc[0].Sine(90 * std::exp(-t / 0.25) + 35, rate) * Env(t, 0.004, 0.18);
            const double body = Env(t, 0.003, 0.35);
            out[0] = lp[0].Run(noise.Next(), cutoff, rate) * body * 1.6 + thump;
            out[1] = lp[1].Run(noise2.Next(), cutoff * 0.9, rate) * body * 1.6 + thump;
        });
    case vorna::kSoundLeaveScreen: // a rising four-note chime
        return Render(s, [&](double t, int, double* out) {
            const double notes[4] = {784, 988, 1175, 1568};
            double v = 0;
            for (int k = 0; k < 4; ++k) {
                const double start = k * 0.07;
                if (t < start) continue;
                const double e = Env(t - start, 0.004, 0.16);
                v += e * (osc[k].Sine(notes[k], rate) + 0.3 * std::sin(2 * osc[k].phase));
            }
            out[0] = v;
        });
    case vorna::kSoundBlockHit: // a metallic clank
        return Render(s, [&](double t, int, double* out) {
            const double e = Env(t, 0.002, 0.09);
            const double m = osc[1].Sine(1390, rate) * 2.2 * Env(t, 0.001, 0.05);
            osc[0].phase += m * 0.02;
            out[0] = e * (osc[0].Sine(520, rate) + 0.6 * osc[2].Sine(1333, rate) + 0.4 * osc[3].Sine(2210, rate)) +
                     noise.Next() * Env(t, 0.001, 0.012) * 0.8;
        });
    case vorna::kSoundWallBounce: // a short springy boing
        return Render(s, [&](double t, int, double* out) {
            const double f = 180 + 520 * std::exp(-t / 0.04);
            out[0] = osc[0].Square(f, rate, 2) * Env(t, 0.003, 0.07);
        });
    case vorna::kSoundMissionStart: // an upward whoosh with a climbing tone
        return Render(s, [&](double t, int, double* out) {
            const double sweep = 200 * std::pow(12.0, t / 1.0);
            const double e = std::sin(std::min(1.0, t / 1.03) * 3.14159) * (0.4 + 0.6 * t);
            out[0] = e * (lp[0].Run(noise.Next(), sweep * 2, rate) * 1.5 + 0.5 * osc[0].Sine(sweep, rate) +
                          0.25 * osc[1].Sine(sweep * 1.5, rate));
        });
    case vorna::kSoundStoneHit: // a dull thud with a rumble
        return Render(s, [&](double t, int, double* out) {
            const double thud = osc[0].Sine(70 + 80 * std::exp(-t / 0.03), rate) * Env(t, 0.003, 0.16);
            const double rumble = lp[1].Run(lp[0].Run(noise.Next(), 300, rate), 300, rate) * Env(t, 0.005, 0.35) * 6;
            out[0] = thud + rumble + noise2.Next() * Env(t, 0.001, 0.01) * 0.5;
        });
    case vorna::kSoundFanfare: // a bright sustained major chord with a shimmer
        return Render(s, [&](double t, int, double* out) {
            const double freqs[6] = {261.6, 329.6, 392.0, 523.3, 659.3, 784.0};
            double v = 0;
            for (int k = 0; k < 6; ++k) {
                const double start = k * 0.05;
                if (t < start) continue;
                const double vib = 1 + 0.004 * std::sin(kTau * 5.5 * t + k);
                v +=
                    Env(t - start, 0.02, 0.9) * (osc[k].Sine(freqs[k] * vib, rate) + 0.35 * std::sin(2 * osc[k].phase) +
                                                 0.15 * std::sin(3 * osc[k].phase));
            }
            out[0] = v;
        });
    case vorna::kSoundFormChange: // a warbling rise and fall
        return Render(s, [&](double t, int, double* out) {
            const double arc = std::sin(std::min(1.0, t / 1.48) * 3.14159);
            const double f = 300 + 900 * arc + 60 * std::sin(kTau * 14 * t);
            const double m = osc[1].Sine(f * 1.5, rate) * 1.5;
            osc[0].phase += m * 0.03;
            out[0] = (osc[0].Sine(f, rate) + 0.5 * osc[2].Sine(f * 2.01, rate)) * Env(t, 0.01, 0.6) *
                     (0.6 + 0.4 * std::sin(kTau * 7 * t));
        });
    case vorna::kSoundVornaAlarm: // a low two-tone alarm with a growl
        return Render(s, [&](double t, int, double* out) {
            const double f = (static_cast<int>(t / 0.215) % 2 == 0) ? 220 : 165;
            const double growl = lp[0].Run(noise.Next(), 250, rate) * 1.5;
            out[0] = (osc[0].Square(f, rate, 3) * 0.7 + osc[1].Sine(f / 2, rate) * 0.6 + growl) * Env(t, 0.01, 0.9);
        });
    case vorna::kSoundCountTick: // a short bright blip, slightly spread
        return Render(s, [&](double t, int, double* out) {
            // Heard dozens of times in a row while the bonus counts up: short, round and not shrill.
            const double e = Env(t, 0.002, 0.025);
            out[0] = (osc[0].Sine(1318.5, rate) + 0.3 * osc[2].Sine(2637, rate)) * e;
            out[1] = (osc[1].Sine(1320.5, rate) + 0.3 * osc[3].Sine(2641, rate)) * e;
        });
    case vorna::kSoundVornaRammed: // a falling squeal with vibrato and grit
        return Render(s, [&](double t, int, double* out) {
            const double f = 1400 * std::exp(-t / 0.3) + 180 + 80 * std::sin(kTau * 22 * t);
            const double e = Env(t, 0.005, 0.22);
            const double grit = lp[0].Run(noise.Next(), 2500, rate) * 0.5;
            out[0] = e * (osc[0].Square(f, rate, 2.5) + grit);
            out[1] = e * (osc[1].Square(f * 1.01, rate, 2.5) + grit);
        });
    default: // kSoundBlockShards, the second layer of a destroyed block: glass shards scattering
        return Render(s, [&](double t, int frame, double* out) {
            double l = 0, r = 0;
            for (int k = 0; k < 14; ++k) {
                const double start = (Hash(n, k) % 1000) / 1000.0 * 0.55;
                if (t < start) continue;
                const double f = 2000 + (Hash(n, k, 1) % 4000);
                const double e = Env(t - start, 0.001, 0.05 + (Hash(n, k, 2) % 100) / 1000.0);
                const double v = std::sin(kTau * f * (t - start)) * e;
                const double pan = (Hash(n, k, 3) % 100) / 100.0;
                l += v * (1 - pan), r += v * pan;
            }
            (void)frame;
            const double hiss = noise.Next() * Env(t, 0.002, 0.08) * 0.4;
            out[0] = l + hiss;
            out[1] = r + hiss;
        });
    }
}

} // namespace

const SoundFormat kSoundTable[vorna::kSoundEffectCount] = {
    {2, 11025, 29768}, {1, 22050, 15579}, {1, 22050, 11915}, {1, 22050, 5679}, {1, 22050, 22728}, {1, 22050, 23975},
    {1, 11025, 28016}, {1, 22050, 32727}, {1, 22050, 37853}, {2, 11025, 6616}, {2, 11025, 13230}, {2, 11025, 21500},
};

std::vector<uint8_t> MakeWave(int n) {
    const SoundFormat& s = kSoundTable[n];
    const std::vector<uint8_t> data = Synth(n, s);
    Bytes w;
    w.Tag("RIFF");
    w.U32(0);
    w.Tag("WAVE");
    w.Tag("fmt ");
    w.U32(16);
    w.U16(1); // PCM
    w.U16(static_cast<unsigned>(s.channels));
    w.U32(static_cast<uint32_t>(s.rate));
    w.U32(static_cast<uint32_t>(s.rate * s.channels));
    w.U16(static_cast<unsigned>(s.channels));
    w.U16(8);
    w.Tag("data");
    w.U32(static_cast<uint32_t>(data.size()));
    w.Append(data);
    if (data.size() % 2) w.U8(0); // chunks are padded to an even size
    w.PatchU32(4, static_cast<uint32_t>(w.b.size() - 8));
    return w.b;
}

} // namespace assetgen
