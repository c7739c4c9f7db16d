#pragma once

// A square-wave tone (period of 100 frames) as a 44.1 kHz 16-bit stereo WAV file in the
// temporary folder, for the audio tests and benchmarks.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

inline std::string writeToneWav(const std::string& fileName, float seconds, int16_t amplitude) {
    const std::string path = (std::filesystem::temp_directory_path() / fileName).string();
    const uint32_t rate = 44100, frames = static_cast<uint32_t>(seconds * rate), bytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out << "RIFF";
    u32(36 + bytes);
    out << "WAVEfmt ";
    u32(16);
    u16(1);
    u16(2);
    u32(rate);
    u32(rate * 4);
    u16(4);
    u16(16);
    out << "data";
    u32(bytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<uint16_t>((i / 50) % 2 ? amplitude : -amplitude);
        u16(sample); // left
        u16(sample); // right
    }
    return path;
}
