// Turns a cursor drawing (text) into a one-image, one-bit cursor file.
//
//   kvcurgen DRAWING OUTPUT
//
// The drawing holds, after any number of lines starting with "#" or empty:
//   hotspot X Y
//   32 lines of 32 characters:
//     '.' transparent   (AND 1, XOR 0)
//     '#' black         (AND 0, XOR 0)
//     'o' white         (AND 0, XOR 1)
//     '^' inverted      (AND 1, XOR 1)
// The output is the 326-byte file the library's cursor reader expects: a
// 6-byte directory header, one 16-byte entry, a 40-byte bitmap header, a
// two-colour palette, then the XOR image and the AND mask, rows bottom-up.
// A plain C++ program so that building the library needs no script engine.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 32;
constexpr int kStride = kSide / 8; // one-bit rows of 32 pixels need no padding

void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xff);
  out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

int fail(const std::string& file, int line, const std::string& what) {
  std::cerr << file << ":" << line << ": " << what << "\n";
  return 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: kvcurgen DRAWING OUTPUT\n";
    return 2;
  }
  const std::string inName = argv[1];
  std::ifstream in(inName);
  if (!in) return fail(inName, 0, "cannot open");

  int hotX = -1, hotY = -1;
  std::vector<std::string> rows;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (hotX < 0) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream words(line);
      std::string key;
      if (!(words >> key >> hotX >> hotY) || key != "hotspot" || hotX < 0 || hotX >= kSide || hotY < 0 ||
          hotY >= kSide)
        return fail(inName, lineNo, "expected \"hotspot X Y\" with X and Y in 0..31");
      continue;
    }
    if (static_cast<int>(rows.size()) == kSide) {
      if (line.find_first_not_of(" \t") == std::string::npos) continue;
      return fail(inName, lineNo, "more than 32 rows");
    }
    if (static_cast<int>(line.size()) != kSide) return fail(inName, lineNo, "a row must have 32 characters");
    if (line.find_first_not_of(".#o^") != std::string::npos)
      return fail(inName, lineNo, "unknown character (use . # o ^)");
    rows.push_back(line);
  }
  if (hotX < 0) return fail(inName, lineNo, "no hotspot line");
  if (static_cast<int>(rows.size()) != kSide) return fail(inName, lineNo, "fewer than 32 rows");

  std::vector<unsigned char> xorBits(kStride * kSide, 0), andBits(kStride * kSide, 0);
  for (int y = 0; y < kSide; ++y) {
    const int fileRow = kSide - 1 - y; // bottom-up
    for (int x = 0; x < kSide; ++x) {
      const char c = rows[y][x];
      const unsigned char bit = static_cast<unsigned char>(0x80u >> (x % 8));
      if (c == 'o' || c == '^') xorBits[fileRow * kStride + x / 8] |= bit;
      if (c == '.' || c == '^') andBits[fileRow * kStride + x / 8] |= bit;
    }
  }

  const uint32_t imageBytes = 2 * kStride * kSide;
  const uint32_t headerSize = 40, paletteSize = 8;
  std::string out;
  put16(out, 0); // reserved
  put16(out, 2); // cursor
  put16(out, 1); // one image
  out += static_cast<char>(kSide);
  out += static_cast<char>(kSide);
  out += '\0'; // colour count
  out += '\0'; // reserved
  put16(out, static_cast<unsigned>(hotX));
  put16(out, static_cast<unsigned>(hotY));
  put32(out, headerSize + paletteSize + imageBytes);
  put32(out, 6 + 16); // image offset
  put32(out, headerSize);
  put32(out, kSide);
  put32(out, 2 * kSide); // XOR image and AND mask stacked
  put16(out, 1);         // planes
  put16(out, 1);         // bits per pixel
  put32(out, 0);         // uncompressed
  put32(out, imageBytes);
  for (int i = 0; i < 4; ++i) put32(out, 0);
  put32(out, 0x00000000); // black
  put32(out, 0x00ffffff); // white
  out.append(reinterpret_cast<const char*>(xorBits.data()), xorBits.size());
  out.append(reinterpret_cast<const char*>(andBits.data()), andBits.size());

  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  file.close();
  if (!file) {
    std::remove(argv[2]);
    return fail(argv[2], 0, "cannot write");
  }
  return 0;
}
