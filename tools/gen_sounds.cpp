// Synthesises the game's ten sounds as 16-bit stereo WAVE files.
// Usage: gen_sounds <output directory>
//
// Every sound is built from noise, resonances and additive voices with a
// fixed-seed generator, so each run writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const double PI = 3.14159265358979323846;
const double TWO_PI = 2.0 * PI;

// xorshift64*: small, fast and the same everywhere.
struct Noise {
    uint64_t state;
    explicit Noise(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t next() {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
    double uniform() { return (double)(next() >> 11) * (1.0 / 9007199254740992.0); }
    double between(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double bipolar() { return 2.0 * uniform() - 1.0; }
    // Log-uniform, for frequencies and loudness that spread over octaves.
    double logBetween(double lo, double hi) { return lo * std::pow(hi / lo, uniform()); }
};

struct Sound {
    int rate;
    std::vector<double> left;
    std::vector<double> right;
};

// Lengths are given in hundredths of a second and rounded half up to frames.
Sound makeSound(int rate, int centiseconds) {
    Sound s;
    s.rate = rate;
    size_t frames = ((size_t)rate * (size_t)centiseconds + 50) / 100;
    s.left.assign(frames, 0.0);
    s.right.assign(frames, 0.0);
    return s;
}

size_t frameAt(const Sound& s, double seconds) {
    double f = seconds * s.rate;
    if (f < 0.0) return 0;
    return std::min((size_t)f, s.left.size());
}

struct OnePole {
    double a = 1.0;
    double y = 0.0;
    void setCutoff(double hz, int rate) { a = 1.0 - std::exp(-TWO_PI * hz / rate); }
    double lowpass(double x) { return y += a * (x - y); }
    double highpass(double x) { return x - lowpass(x); }
};

// Noise between two corner frequencies.
struct Hiss {
    OnePole low, high;
    void tune(double lowHz, double highHz, int rate) {
        high.setCutoff(lowHz, rate);
        low.setCutoff(highHz, rate);
    }
    double run(double x) { return high.highpass(low.lowpass(x)); }
};

// Band-pass biquad with unit gain at its centre.
struct Resonator {
    double b0 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void tune(double hz, double q, int rate) {
        double w = TWO_PI * hz / rate;
        double alpha = std::sin(w) / (2.0 * q);
        double a0 = 1.0 + alpha;
        b0 = alpha / a0;
        b2 = -alpha / a0;
        a1 = -2.0 * std::cos(w) / a0;
        a2 = (1.0 - alpha) / a0;
    }
    double run(double x) {
        double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// 0 to 1 over the first part of a unit span and back to 0 over the last,
// shaped as a raised cosine so notes start and end without a click.
double bell(double t, double rise, double fall) {
    if (t <= 0.0 || t >= 1.0) return 0.0;
    double g = 1.0;
    if (t < rise) g *= 0.5 - 0.5 * std::cos(PI * t / rise);
    if (t > 1.0 - fall) g *= 0.5 - 0.5 * std::cos(PI * (1.0 - t) / fall);
    return g;
}

double glide(double from, double to, double t) {
    return from * std::pow(to / from, std::clamp(t, 0.0, 1.0));
}

void fadeEdges(Sound* s, double inSeconds, double outSeconds) {
    size_t n = s->left.size();
    size_t in = std::min(n, (size_t)(inSeconds * s->rate) + 1);
    size_t out = std::min(n, (size_t)(outSeconds * s->rate) + 1);
    for (size_t i = 0; i < in; ++i) {
        double g = 0.5 - 0.5 * std::cos(PI * (double)i / (double)in);
        s->left[i] *= g;
        s->right[i] *= g;
    }
    for (size_t i = 0; i < out; ++i) {
        double g = 0.5 - 0.5 * std::cos(PI * (double)i / (double)out);
        s->left[n - 1 - i] *= g;
        s->right[n - 1 - i] *= g;
    }
}

// Second-order section, for the ear's weighting below.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The ear weights the presence range above about 1.7 kHz by 4 dB more than
// the middle and hardly hears the rumble below 40 Hz (the usual K-weighting).
Biquad presenceShelf(int rate) {
    double a = std::pow(10.0, 4.0 / 40.0), w = TWO_PI * 1682.0 / rate, c = std::cos(w);
    double s = 2.0 * std::sqrt(a) * std::sin(w) / (2.0 * 0.7072);
    double a0 = (a + 1) - (a - 1) * c + s;
    return {a * ((a + 1) + (a - 1) * c + s) / a0, -2 * a * ((a - 1) + (a + 1) * c) / a0,
            a * ((a + 1) + (a - 1) * c - s) / a0, 2 * ((a - 1) - (a + 1) * c) / a0,
            ((a + 1) - (a - 1) * c - s) / a0};
}

Biquad rumbleCut(int rate) {
    double w = TWO_PI * 38.0 / rate, c = std::cos(w), alpha = std::sin(w) / (2.0 * 0.5003);
    double a0 = 1.0 + alpha;
    return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

// How loud a sound seems: the weighted power of its loudest 400 ms, in dB of
// full scale. A short sound is heard against the silence after it, so a
// window may run past the end.
double loudness(const Sound& s) {
    size_t n = s.left.size();
    std::vector<double> power(n, 0.0);
    for (const std::vector<double>* ch : {&s.left, &s.right}) {
        Biquad shelf = presenceShelf(s.rate), cut = rumbleCut(s.rate);
        for (size_t i = 0; i < n; ++i) {
            double v = cut.run(shelf.run((*ch)[i]));
            power[i] += 0.5 * v * v;
        }
    }
    size_t window = (size_t)(0.4 * s.rate);
    double sum = 0.0, loudest = 1e-12;
    for (size_t i = 0; i < n; ++i) {
        sum += power[i];
        if (i >= window) sum -= power[i - window];
        loudest = std::max(loudest, sum);
    }
    return 10.0 * std::log10(loudest / (double)window);
}

double peakOf(const Sound& s) {
    double highest = 0.0;
    for (size_t i = 0; i < s.left.size(); ++i)
        highest = std::max(highest, std::max(std::fabs(s.left[i]), std::fabs(s.right[i])));
    return highest;
}

void scale(Sound* s, double gain) {
    for (size_t i = 0; i < s->left.size(); ++i) {
        s->left[i] *= gain;
        s->right[i] *= gain;
    }
}

// How loud each sound plays, by loudness() above. The shot is the loudest
// thing in the park; a cry comes just under it, the rain well under, and
// the birds and crickets are a quiet bed below them all, the footsteps with them.
const double GUNSHOT_LEVEL = -13.0;
const double CRY_LEVEL = GUNSHOT_LEVEL - 5.0;
const double RAIN_LEVEL = GUNSHOT_LEVEL - 9.0;
const double AMBIENT_LEVEL = GUNSHOT_LEVEL - 12.0;
const double FOOTSTEP_LEVEL = AMBIENT_LEVEL - 4.0;

void setLoudness(Sound* s, double level) {
    scale(s, std::pow(10.0, (level - loudness(*s)) / 20.0));
}

// Every one-shot sound ends here: faded edges, then set to its loudness.
Sound finish(Sound s, double fadeIn, double fadeOut, double level) {
    fadeEdges(&s, fadeIn, fadeOut);
    setLoudness(&s, level);
    return s;
}

// A voice: harmonics of a gliding fundamental shaped by vowel formants, with
// breath noise through the same formants. Parameters are functions of the
// time within the voice so each cry can bend its pitch and vowel.
struct Formant {
    double hz;
    double width;
    double gain;
};

struct VoiceShape {
    double pitchFrom, pitchPeak, pitchTo;  // Hz: onset, top of the rise, end
    double peakAt;                         // fraction of the duration where the rise tops out
    double vibratoHz, vibratoDepth;        // depth as a fraction of pitch
    double jitter;                         // random pitch wander, fraction of pitch
    double roughness;                      // 0..1 subharmonic growl
    double breath;                         // noise level relative to the voice
    double tilt;                           // harmonic rolloff exponent
    Formant start[4];
    Formant end[4];
    double attack, release;  // fractions of the duration
};

double voicePitch(const VoiceShape& v, double t) {
    if (t < v.peakAt) return glide(v.pitchFrom, v.pitchPeak, t / v.peakAt);
    return glide(v.pitchPeak, v.pitchTo, (t - v.peakAt) / (1.0 - v.peakAt));
}

double formantGain(const Formant* from, const Formant* to, double t, double hz) {
    double sum = 0.0;
    for (int j = 0; j < 4; ++j) {
        double centre = from[j].hz + (to[j].hz - from[j].hz) * t;
        double width = from[j].width + (to[j].width - from[j].width) * t;
        double gain = from[j].gain + (to[j].gain - from[j].gain) * t;
        double d = (hz - centre) / (0.5 * width);
        sum += gain / std::sqrt(1.0 + d * d * d * d);
    }
    return sum + 0.02;
}

// Adds one voice into a channel starting at `at` seconds for `seconds`.
void addVoice(std::vector<double>* out, int rate, double at, double seconds, const VoiceShape& v,
              double level, uint64_t seed) {
    Noise rng(seed);
    OnePole wander;
    wander.setCutoff(12.0, rate);
    Resonator breathBands[3];
    size_t first = (size_t)(at * rate);
    size_t count = (size_t)(seconds * rate);
    double nyquist = 0.5 * rate;
    double phase = 0.0;
    double subPhase = 0.0;
    for (size_t i = 0; i < count && first + i < out->size(); ++i) {
        double t = (double)i / (double)count;
        double time = (double)i / rate;
        double f0 = voicePitch(v, t);
        f0 *= 1.0 + v.vibratoDepth * std::sin(TWO_PI * v.vibratoHz * time);
        f0 *= 1.0 + v.jitter * 40.0 * wander.lowpass(rng.bipolar());
        phase += TWO_PI * f0 / rate;
        if (phase > TWO_PI) phase -= TWO_PI;
        subPhase += PI * f0 / rate;
        if (subPhase > TWO_PI) subPhase -= TWO_PI;

        double voiced = 0.0;
        for (int k = 1; k * f0 < nyquist; ++k) {
            double hz = k * f0;
            double edge = std::clamp((nyquist * 0.92 - hz) / (nyquist * 0.08), 0.0, 1.0);
            double amp = std::pow((double)k, -v.tilt) * formantGain(v.start, v.end, t, hz) * edge;
            voiced += amp * std::sin(k * phase);
        }
        // A growl: every other glottal cycle is weaker, which puts energy an octave down.
        voiced *= 1.0 - v.roughness * 0.5 * (1.0 + std::sin(subPhase));

        if ((i & 31) == 0) {
            for (int j = 0; j < 3; ++j) {
                double centre = v.start[j].hz + (v.end[j].hz - v.start[j].hz) * t;
                breathBands[j].tune(centre, centre / (v.start[j].width * 1.5), rate);
            }
        }
        double hiss = rng.bipolar();
        double breath = 0.0;
        for (int j = 0; j < 3; ++j) breath += v.start[j].gain * breathBands[j].run(hiss);

        double envelope = bell(t, v.attack, v.release);
        (*out)[first + i] += level * envelope * (voiced + v.breath * 6.0 * breath);
    }
}

// A whistled note: a sine (with a touch of second harmonic) sweeping between
// two pitches, optionally warbled, as small birds sing.
struct Note {
    double at, seconds;
    double fromHz, toHz;
    double warbleHz, warbleDepth;  // depth in Hz
    double level;
    double pan;  // -1 left .. 1 right
};

void addNote(Sound* s, const Note& n) {
    size_t first = frameAt(*s, n.at);
    size_t count = (size_t)(n.seconds * s->rate);
    double phase = 0.0;
    double gl = std::sqrt(0.5 * (1.0 - n.pan));
    double gr = std::sqrt(0.5 * (1.0 + n.pan));
    size_t delay = (size_t)(std::fabs(n.pan) * 0.0004 * s->rate);
    for (size_t i = 0; i < count; ++i) {
        double t = (double)i / (double)count;
        double hz = n.fromHz + (n.toHz - n.fromHz) * (0.5 - 0.5 * std::cos(PI * t));
        hz += n.warbleDepth * std::sin(TWO_PI * n.warbleHz * i / s->rate);
        phase += TWO_PI * hz / s->rate;
        double e = bell(t, 0.25, 0.35);
        double v = n.level * e * (std::sin(phase) + 0.12 * std::sin(2.0 * phase));
        size_t l = first + i + (n.pan > 0 ? delay : 0);
        size_t r = first + i + (n.pan < 0 ? delay : 0);
        if (l < s->left.size()) s->left[l] += gl * v;
        if (r < s->right.size()) s->right[r] += gr * v;
    }
}

// A decaying ping of a resonance, the basic tick of rain and twigs.
void addPing(std::vector<double>* out, int rate, double at, double hz, double decaySeconds,
             double level, double phase) {
    size_t first = (size_t)(at * rate);
    size_t count = (size_t)(decaySeconds * 6.0 * rate) + 1;
    double attack = 0.0003 * rate;
    for (size_t i = 0; i < count && first + i < out->size(); ++i) {
        double k = (double)i;
        double e = std::exp(-k / (decaySeconds * rate)) * std::min(1.0, (k + 1.0) / attack);
        (*out)[first + i] += level * e * std::sin(phase + TWO_PI * hz * k / rate);
    }
}

// The same ping placed between the ears; pan 0 is left, 1 is right.
void addPannedPing(Sound* s, std::vector<double>* left, std::vector<double>* right, double at,
                   double hz, double decaySeconds, double level, double pan, double phase) {
    addPing(left, s->rate, at, hz, decaySeconds, level * std::sqrt(1.0 - pan), phase);
    addPing(right, s->rate, at, hz, decaySeconds, level * std::sqrt(pan), phase);
}

// ---------------------------------------------------------------------------

Sound makeGunshot() {
    Sound s = makeSound(44100, 58);
    size_t n = s.left.size();
    Noise rng(107);
    std::vector<double> blast(n, 0.0);
    OnePole bodyTone;
    bodyTone.setCutoff(2500.0, s.rate);
    double thumpPhase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        double t = (double)i / s.rate;
        double attack = std::min(1.0, t / 0.0004);
        double crack = rng.bipolar() * std::exp(-t / 0.0045);
        double body = bodyTone.lowpass(rng.bipolar()) * 2.2 * std::exp(-t / 0.05);
        thumpPhase += TWO_PI * (48.0 + 90.0 * std::exp(-t / 0.025)) / s.rate;
        double thump = std::sin(thumpPhase) * std::exp(-t / 0.07);
        // The muzzle blast's pressure wave: one sharp push and pull.
        double wave = t < 0.0016 ? std::sin(TWO_PI * t / 0.0016) * 0.9 : 0.0;
        // A shot this close overloads ear and microphone alike: the spikes are
        // rounded off, and the bang is the denser and louder for it.
        blast[i] = 0.9 * std::tanh(2.5 * attack * (crack + body + 0.8 * thump + wave));
    }
    // The report rolls around the forest: a diffuse tail and a few slapback
    // echoes off the tree line, arriving at each ear at different times.
    const double echoLeft[3] = {0.105, 0.236, 0.351};
    const double echoRight[3] = {0.128, 0.214, 0.377};
    const double echoGain[3] = {0.45, 0.3, 0.18};
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<double>& out = ch == 0 ? s.left : s.right;
        const double* delays = ch == 0 ? echoLeft : echoRight;
        OnePole tailTone[2];
        OnePole echoTone;
        echoTone.setCutoff(1800.0, s.rate);
        std::vector<double> dull(n);
        for (size_t i = 0; i < n; ++i) dull[i] = echoTone.lowpass(blast[i]);
        for (size_t i = 0; i < n; ++i) {
            double t = (double)i / s.rate;
            double v = blast[i];
            for (int e = 0; e < 3; ++e) {
                size_t d = (size_t)(delays[e] * s.rate);
                if (i >= d) v += echoGain[e] * dull[i - d];
            }
            double swell = std::min(1.0, t / 0.015);
            // The trees swallow the highs of the rumble first.
            if ((i & 15) == 0)
                for (OnePole& p : tailTone) p.setCutoff(glide(1800.0, 350.0, t / 0.45), s.rate);
            double rumble = tailTone[1].lowpass(tailTone[0].lowpass(rng.bipolar()));
            v += 2.4 * rumble * swell * std::exp(-t / 0.22);
            out[i] = std::tanh(v);  // the same overload on the echoes as they pile up
        }
    }
    return finish(s, 0.0003, 0.04, GUNSHOT_LEVEL);
}

Sound makeRainLoop() {
    Sound s = makeSound(22050, 1279);
    size_t n = s.left.size();
    // Generate a little more than the loop and fold the overhang onto the
    // start, so the last frame runs straight on into the first.
    size_t overlap = (size_t)(0.6 * s.rate);
    size_t total = n + overlap;
    double seconds = (double)total / s.rate;
    Noise rng(108);
    std::vector<double> left(total, 0.0), right(total, 0.0);

    // The hiss of rain on leaves: partly shared between the ears, partly not.
    Hiss hiss[3];
    for (Hiss& h : hiss) h.tune(500.0, 4200.0, s.rate);
    for (size_t i = 0; i < total; ++i) {
        double t = (double)i / s.rate;
        double gust =
            0.8 + 0.12 * std::sin(TWO_PI * t / 4.3) + 0.08 * std::sin(TWO_PI * t / 1.7 + 1.0);
        double common = hiss[2].run(rng.bipolar());
        left[i] = gust * 0.22 * (0.6 * common + 0.8 * hiss[0].run(rng.bipolar()));
        right[i] = gust * 0.22 * (0.6 * common + 0.8 * hiss[1].run(rng.bipolar()));
    }
    // Drops hitting leaves: many faint high ticks, some heavier low pats.
    struct Drops {
        double perSecond, lowHz, highHz, shortest, longest, level, quietest;
    };
    const Drops kinds[2] = {
        {420.0, 1800.0, 7500.0, 0.0012, 0.004, 0.2, 0.05},
        {14.0, 700.0, 1600.0, 0.006, 0.016, 0.22, 0.2},
    };
    for (const Drops& k : kinds) {
        for (int d = 0; d < (int)(seconds * k.perSecond); ++d) {
            double at = rng.between(0.0, seconds);
            double hz = rng.logBetween(k.lowHz, k.highHz);
            double decay = rng.between(k.shortest, k.longest);
            double level = k.level * rng.logBetween(k.quietest, 1.0);
            double pan = rng.uniform();
            double phase = rng.between(0.0, TWO_PI);
            addPannedPing(&s, &left, &right, at, hz, decay, level, pan, phase);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        double wHead = 1.0, wTail = 0.0;
        if (i < overlap) {
            // Equal-power crossfade: the two sides are unrelated noise.
            double x = (double)i / (double)overlap;
            wHead = std::sin(0.5 * PI * x);
            wTail = std::cos(0.5 * PI * x);
        }
        s.left[i] = wHead * left[i] + (i < overlap ? wTail * left[n + i] : 0.0);
        s.right[i] = wHead * right[i] + (i < overlap ? wTail * right[n + i] : 0.0);
    }
    // No fades: the loop runs on from its last frame into its first.
    setLoudness(&s, RAIN_LEVEL);
    return s;
}

// A cry: one voice, heard a fraction of a millisecond later and softer on the right.
Sound makeCry(int rate, int centiseconds, const VoiceShape& voice, double rightDelay, uint64_t seed,
              double inFade) {
    Sound s = makeSound(rate, centiseconds);
    double seconds = (double)s.left.size() / rate;
    addVoice(&s.left, rate, 0.0, seconds, voice, 1.0, seed);
    addVoice(&s.right, rate, rightDelay, seconds - rightDelay, voice, 0.85, seed);
    return finish(s, inFade, 0.02, CRY_LEVEL);
}

// Field order: pitch from, peak, to; peak at; vibrato Hz, depth; jitter;
// roughness; breath; tilt; formants at the start and at the end (Hz, width,
// gain); attack and release.
const VoiceShape MAN_CRY = {
    230.0,
    285.0,
    120.0,
    0.12,
    6.0,
    0.015,
    0.02,
    0.25,
    0.06,
    1.1,
    {{750.0, 110.0, 1.0}, {1200.0, 130.0, 0.55}, {2550.0, 180.0, 0.25}, {3400.0, 250.0, 0.1}},
    {{560.0, 120.0, 1.0}, {950.0, 130.0, 0.5}, {2400.0, 180.0, 0.15}, {3300.0, 250.0, 0.05}},
    0.06,
    0.55};

// Higher, rougher and brighter: a yelp rather than a groan.
const VoiceShape RED_MAN_CRY = {
    390.0,
    480.0,
    250.0,
    0.08,
    9.0,
    0.02,
    0.03,
    0.6,
    0.25,
    0.8,
    {{850.0, 120.0, 1.0}, {1850.0, 150.0, 0.7}, {2800.0, 200.0, 0.4}, {3700.0, 260.0, 0.25}},
    {{700.0, 120.0, 1.0}, {1700.0, 150.0, 0.6}, {2700.0, 200.0, 0.3}, {3600.0, 260.0, 0.15}},
    0.025,
    0.5};

// Low and long, the fourth formant standing in for the nasal ring of the long muzzle.
const VoiceShape DEER_BELLOW = {
    125.0,
    150.0,
    82.0,
    0.18,
    5.0,
    0.03,
    0.03,
    0.55,
    0.18,
    0.9,
    {{520.0, 130.0, 1.0}, {950.0, 150.0, 0.6}, {2300.0, 220.0, 0.25}, {260.0, 80.0, 0.6}},
    {{420.0, 130.0, 1.0}, {780.0, 150.0, 0.45}, {2200.0, 220.0, 0.15}, {240.0, 80.0, 0.6}},
    0.08,
    0.5};

Sound makeEnemyKill() { return makeCry(22050, 49, MAN_CRY, 0.0005, 109, 0.005); }
Sound makeRedEnemyKill() { return makeCry(44100, 37, RED_MAN_CRY, 0.0004, 116, 0.002); }
Sound makeDeerKill() { return makeCry(22050, 103, DEER_BELLOW, 0.0006, 111, 0.01); }

// A rabbit's death scream is no song: a rasping gasp, then a short, harsh
// squeal that shakes in pitch and loudness, half breath, choked off early.
Sound makeRabbitKill() {
    Sound s = makeSound(32000, 52);
    const double start = 0.005, seconds = 0.3;
    size_t count = (size_t)(seconds * s.rate);
    Noise rng(110);
    OnePole wander, flutter, breathLow, breathHigh;
    wander.setCutoff(30.0, s.rate);
    flutter.setCutoff(120.0, s.rate);
    breathLow.setCutoff(9000.0, s.rate);
    breathHigh.setCutoff(1500.0, s.rate);
    Resonator throat[2];
    throat[0].tune(3300.0, 2.5, s.rate);
    throat[1].tune(6200.0, 3.0, s.rate);
    std::vector<double> cry(count, 0.0);
    double phase = 0.0;
    for (size_t i = 0; i < count; ++i) {
        double t = (double)i / s.rate, u = t / seconds;
        // The pitch leaps up, wavers and sags as the breath runs out.
        double f0 =
            u < 0.2 ? glide(1300.0, 2100.0, u / 0.2) : glide(2100.0, 1500.0, (u - 0.2) / 0.8);
        f0 *= 1.0 + 0.05 * std::sin(TWO_PI * 33.0 * t) + 3.0 * wander.lowpass(rng.bipolar());
        phase += TWO_PI * f0 / s.rate;
        // An overblown throat: the tone driven into a buzz of harmonics.
        double buzz = std::tanh(3.0 * std::sin(phase) + 1.2 * std::sin(2.0 * phase + 0.7));
        double shake = (0.55 + 0.45 * std::sin(TWO_PI * 47.0 * t)) *
                       (1.0 + 4.0 * flutter.lowpass(rng.bipolar()));
        double breath = breathHigh.highpass(breathLow.lowpass(rng.bipolar()));
        double gasp = rng.bipolar() * std::exp(-t / 0.025) * std::min(1.0, t / 0.002);
        double v = bell(u, 0.15, 0.35) * (buzz * shake + 0.6 * breath * (0.5 + shake)) + 1.2 * gasp;
        cry[i] = 0.4 * v + throat[0].run(v) + 0.5 * throat[1].run(v);
    }
    // The right ear hears it a fraction of a millisecond later.
    size_t delay = (size_t)(0.0003 * s.rate);
    size_t first = frameAt(s, start);
    for (size_t i = 0; i < count; ++i) {
        s.left[first + i] += cry[i];
        s.right[first + delay + i] += 0.9 * cry[i];
    }
    return finish(s, 0.002, 0.02, CRY_LEVEL);
}

Sound makeFootstep() {
    Sound s = makeSound(44100, 20);
    size_t n = s.left.size();
    Noise rng(112);
    // The boot lands heel first, then rolls onto the toe.
    OnePole mud;
    mud.setCutoff(350.0, s.rate);
    double phase = 0.0;
    for (size_t i = 0; i < n; ++i) {
        double t = (double)i / s.rate;
        double heel =
            t > 0.004 ? std::exp(-(t - 0.004) / 0.022) * std::min(1.0, (t - 0.004) / 0.003) : 0.0;
        double toe =
            t > 0.06 ? 0.5 * std::exp(-(t - 0.06) / 0.02) * std::min(1.0, (t - 0.06) / 0.004) : 0.0;
        phase += TWO_PI * (62.0 + 40.0 * heel) / s.rate;
        double thud = (heel + toe) * (0.55 * std::sin(phase) + 1.4 * mud.lowpass(rng.bipolar()));
        s.left[i] += thud;
        s.right[i] += thud;
    }
    // Dry leaves crush in a burst of tiny crackles, thickest as the weight comes down.
    for (int c = 0; c < 70; ++c) {
        double at = 0.006 + 0.15 * std::pow(rng.uniform(), 1.6);
        double length = rng.between(0.0006, 0.003);
        double level = rng.logBetween(0.04, 0.5);
        double pan = rng.uniform();
        size_t first = frameAt(s, at);
        size_t count = (size_t)(length * s.rate);
        OnePole high;
        high.setCutoff(rng.between(1500.0, 4000.0), s.rate);
        for (size_t i = 0; i < count && first + i < n; ++i) {
            double e = level * std::exp(-(double)i / (0.3 * count));
            double v = e * high.highpass(rng.bipolar());
            s.left[first + i] += v * std::sqrt(1.0 - pan);
            s.right[first + i] += v * std::sqrt(pan);
        }
    }
    // A couple of small twigs snap.
    for (int c = 0; c < 3; ++c) {
        double at = rng.between(0.012, 0.09);
        double hz = rng.between(1400.0, 3200.0);
        double pan = rng.uniform();
        double level = rng.between(0.25, 0.45);
        addPannedPing(&s, &s.left, &s.right, at, hz, 0.0025, level, pan, 0.0);
    }
    return finish(s, 0.002, 0.03, FOOTSTEP_LEVEL);
}

// A faint breeze in the leaves under the birds, so the song sits in a place.
void addLeafAir(Sound* s, uint64_t seed, double level) {
    Noise rng(seed);
    Hiss left, right;
    left.tune(300.0, 2500.0, s->rate);
    right.tune(300.0, 2500.0, s->rate);
    for (size_t i = 0; i < s->left.size(); ++i) {
        s->left[i] += level * left.run(rng.bipolar());
        s->right[i] += level * right.run(rng.bipolar());
    }
}

Sound makeDayAmbientOne() {
    Sound s = makeSound(44100, 100);
    // A finch-like song: sharp falling "tsip"s, a rising trill, a long down-slur.
    for (int i = 0; i < 4; ++i)
        addNote(&s, {0.03 + 0.085 * i, 0.045, 6400.0 - 150.0 * i, 4000.0, 0.0, 0.0, 0.8, -0.35});
    for (int i = 0; i < 7; ++i)
        addNote(&s,
                {0.4 + 0.05 * i, 0.03, 3100.0 + 60.0 * i, 4600.0 + 60.0 * i, 0.0, 0.0, 0.9, -0.35});
    addNote(&s, {0.76, 0.19, 5200.0, 2500.0, 38.0, 150.0, 1.0, -0.3});
    addLeafAir(&s, 113, 0.025);
    return finish(s, 0.01, 0.03, AMBIENT_LEVEL);
}

Sound makeDayAmbientTwo() {
    Sound s = makeSound(44100, 180);
    // A thrush-like phrase: two rising whistles, a warble, a falling run,
    // answered by a smaller bird further off on the other side.
    addNote(&s, {0.04, 0.14, 2200.0, 3600.0, 0.0, 0.0, 1.0, 0.35});
    addNote(&s, {0.26, 0.14, 2300.0, 3700.0, 0.0, 0.0, 1.0, 0.35});
    addNote(&s, {0.5, 0.36, 3000.0, 3200.0, 32.0, 550.0, 0.9, 0.3});
    for (int i = 0; i < 4; ++i)
        addNote(&s, {0.95 + 0.09 * i, 0.065, 4100.0 - 400.0 * i, 3800.0 - 400.0 * i, 0.0, 0.0, 0.85,
                     0.3});
    for (int i = 0; i < 3; ++i)
        addNote(&s, {1.38 + 0.11 * i, 0.05, 7000.0, 5600.0, 0.0, 0.0, 0.3, -0.7});
    addLeafAir(&s, 114, 0.025);
    return finish(s, 0.01, 0.05, AMBIENT_LEVEL);
}

Sound makeNightAmbient() {
    Sound s = makeSound(44100, 91);
    // Two crickets: a near one chirping in groups of four pulses, a farther
    // one trilling at a different pitch on the other side.
    struct Cricket {
        double hz, firstAt, chirpEvery, pulseEvery, pulseSeconds;
        int pulsesPerChirp;
        double level, pan;
    };
    const Cricket crickets[2] = {
        {4700.0, 0.03, 0.3, 0.021, 0.013, 4, 1.0, -0.45},
        {5400.0, 0.0, 0.09, 0.024, 0.014, 3, 0.35, 0.6},
    };
    for (const Cricket& c : crickets) {
        for (double chirp = c.firstAt; chirp < 0.88; chirp += c.chirpEvery) {
            for (int p = 0; p < c.pulsesPerChirp; ++p) {
                double at = chirp + p * c.pulseEvery;
                if (at + c.pulseSeconds > 0.88) break;
                double level = c.level * (p == 0 ? 0.7 : 1.0);
                addNote(&s, {at, c.pulseSeconds, c.hz, c.hz * 0.985, 0.0, 0.0, level, c.pan});
            }
        }
    }
    addLeafAir(&s, 115, 0.012);
    return finish(s, 0.01, 0.03, AMBIENT_LEVEL);
}

// ---------------------------------------------------------------------------

void putU16(std::vector<unsigned char>* b, uint32_t v) {
    b->push_back((unsigned char)(v & 0xFF));
    b->push_back((unsigned char)((v >> 8) & 0xFF));
}

void putU32(std::vector<unsigned char>* b, uint32_t v) {
    putU16(b, v & 0xFFFF);
    putU16(b, v >> 16);
}

void putTag(std::vector<unsigned char>* b, const char* tag) { b->insert(b->end(), tag, tag + 4); }

int16_t toSample(double v) {
    double scaled = std::round(v * 32767.0);
    return (int16_t)std::clamp(scaled, -32767.0, 32767.0);
}

bool writeWave(const std::string& path, const Sound& s) {
    const uint32_t channels = 2, bits = 16;
    uint32_t blockAlign = channels * bits / 8;
    uint32_t dataBytes = (uint32_t)s.left.size() * blockAlign;
    std::vector<unsigned char> b;
    b.reserve(44 + dataBytes);
    putTag(&b, "RIFF");
    putU32(&b, 36 + dataBytes);
    putTag(&b, "WAVE");
    putTag(&b, "fmt ");
    putU32(&b, 16);
    putU16(&b, 1);
    putU16(&b, channels);
    putU32(&b, (uint32_t)s.rate);
    putU32(&b, (uint32_t)s.rate * blockAlign);
    putU16(&b, blockAlign);
    putU16(&b, bits);
    putTag(&b, "data");
    putU32(&b, dataBytes);
    for (size_t i = 0; i < s.left.size(); ++i) {
        putU16(&b, (uint16_t)toSample(s.left[i]));
        putU16(&b, (uint16_t)toSample(s.right[i]));
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    struct Output {
        const char* name;
        Sound (*make)();
    };
    const Output outputs[] = {
        {"gunshot.wav", makeGunshot},
        {"rain_loop.wav", makeRainLoop},
        {"enemy_kill.wav", makeEnemyKill},
        {"red_enemy_kill.wav", makeRedEnemyKill},
        {"rabbit_kill.wav", makeRabbitKill},
        {"deer_kill.wav", makeDeerKill},
        {"footstep.wav", makeFootstep},
        {"day_ambient_1.wav", makeDayAmbientOne},
        {"day_ambient_2.wav", makeDayAmbientTwo},
        {"night_ambient.wav", makeNightAmbient},
    };
    for (const Output& o : outputs) {
        std::string path = std::string(argv[1]) + "/" + o.name;
        Sound sound = o.make();
        // A level that needs more than this would clip, or nearly: make it denser, not louder.
        if (peakOf(sound) > 0.89) {
            std::fprintf(stderr, "gen_sounds: %s peaks at %.3f of full scale\n", o.name,
                         peakOf(sound));
            return 1;
        }
        if (!writeWave(path, sound)) {
            std::fprintf(stderr, "gen_sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
