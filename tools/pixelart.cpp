// pixelart: turns a text picture (one character per pixel, with a legend) into a 16-colour
// Windows bitmap (.bmp) or icon (.ico), or a GIF for web pages, so the program's pictures are
// reviewed as text and the binary files are only ever generated from it.
//
//   pixelart SOURCE OUTPUT             writes OUTPUT (.bmp, .ico or .gif, by its extension)
//   pixelart --check SOURCE OUTPUT     fails unless OUTPUT holds exactly what SOURCE gives
//   pixelart --size WxH SOURCE OUTPUT  fits every image to W by H pixels first (see fitTo)
//
// The source, line by line ('#' starts a comment line; blank lines are ignored):
//   colour C R G B         pixel character C stands for colour R G B, which must be one of the
//                          16 standard Windows colours (every picture shares that palette)
//   transparent C          pixel character C lets the background through (icons only)
//   image W H              the next H lines are the W-by-H picture, one character per pixel
// A bitmap or a GIF holds exactly one image; an icon holds one or more (for example 32x32 and
// 16x16).
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int red, green, blue;
};

// The 16-colour palette of Windows, in its customary order, so palette index 7 is the light
// grey (192, 192, 192) that dialogs of the era were painted in.
const Rgb kPalette[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

constexpr int kTransparent = -1;

struct Image {
    int width = 0, height = 0;
    std::vector<int> pixels; // palette indices or kTransparent, top row first
    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct Picture {
    std::vector<Image> images;
    bool usesTransparency = false;
};

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& source, int line, const std::string& message) {
    throw SourceError(source + ":" + std::to_string(line) + ": " + message);
}

int paletteIndex(const Rgb& colour) {
    for (int i = 0; i < 16; ++i)
        if (kPalette[i].red == colour.red && kPalette[i].green == colour.green &&
            kPalette[i].blue == colour.blue)
            return i;
    return -2;
}

Picture parse(const std::string& sourceName, std::istream& in) {
    Picture picture;
    std::map<char, int> legend;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#')
            continue;
        if (keyword == "colour" || keyword == "transparent") {
            std::string symbol;
            if (!(words >> symbol) || symbol.size() != 1)
                fail(sourceName, lineNumber, "expected one pixel character after " + keyword);
            int index = kTransparent;
            if (keyword == "colour") {
                Rgb colour{};
                if (!(words >> colour.red >> colour.green >> colour.blue))
                    fail(sourceName, lineNumber, "expected a colour as R G B");
                index = paletteIndex(colour);
                if (index < 0)
                    fail(sourceName, lineNumber, "not one of the 16 standard colours");
            }
            if (!legend.emplace(symbol[0], index).second)
                fail(sourceName, lineNumber, std::string("'") + symbol + "' is defined twice");
        } else if (keyword == "image") {
            Image image;
            if (!(words >> image.width >> image.height) || image.width < 1 || image.height < 1 ||
                image.width > 256 || image.height > 256)
                fail(sourceName, lineNumber, "expected image WIDTH HEIGHT, each 1 to 256");
            for (int y = 0; y < image.height; ++y) {
                if (!std::getline(in, line))
                    fail(sourceName, lineNumber,
                         "the image ends after " + std::to_string(y) + " of " +
                             std::to_string(image.height) + " rows");
                ++lineNumber;
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                if (static_cast<int>(line.size()) != image.width)
                    fail(sourceName, lineNumber,
                         "row is " + std::to_string(line.size()) + " pixels wide, not " +
                             std::to_string(image.width));
                for (char symbol : line) {
                    const auto found = legend.find(symbol);
                    if (found == legend.end())
                        fail(sourceName, lineNumber,
                             std::string("pixel character '") + symbol + "' is not in the legend");
                    picture.usesTransparency |= found->second == kTransparent;
                    image.pixels.push_back(found->second);
                }
            }
            picture.images.push_back(image);
        } else {
            fail(sourceName, lineNumber, "unknown keyword '" + keyword + "'");
        }
    }
    if (picture.images.empty())
        fail(sourceName, lineNumber, "no image");
    return picture;
}

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Bytes per row of a bottom-up DIB, padded to a 4-byte boundary.
std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

// BITMAPINFOHEADER, the 16-colour table and the 4-bit pixels, bottom row first. Transparent
// pixels are black here: an icon's mask lets the background through them.
std::string deviceIndependentBitmap(const Image& image, int headerHeight, std::uint32_t maskSize) {
    const std::uint32_t pixelSize = rowBytes(image.width, 4) * image.height;
    std::string out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(headerHeight));
    put16(out, 1); // planes
    put16(out, 4); // bits per pixel
    put32(out, 0); // BI_RGB
    put32(out, pixelSize + maskSize);
    put32(out, 0); // pixels per metre, x and y: unspecified
    put32(out, 0);
    put32(out, 16); // colours used
    put32(out, 0);  // all important
    for (const Rgb& colour : kPalette) {
        out += static_cast<char>(colour.blue);
        out += static_cast<char>(colour.green);
        out += static_cast<char>(colour.red);
        out += '\0';
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(rowBytes(image.width, 4), '\0');
        for (int x = 0; x < image.width; ++x) {
            const int index = image.at(x, y) == kTransparent ? 0 : image.at(x, y);
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<char>(x % 2 == 0 ? index << 4 : index);
        }
        out += row;
    }
    return out;
}

std::string bitmapFile(const Image& image) {
    const std::string dib = deviceIndependentBitmap(image, image.height, 0);
    std::string out = "BM";
    put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    put32(out, 0);                // reserved
    put32(out, 14 + 40 + 16 * 4); // offset of the pixels
    return out + dib;
}

// One icon image: the colour bitmap (its header counts the mask's rows too), then the 1-bit
// mask, set where the background shows through.
std::string iconImage(const Image& image) {
    const std::uint32_t maskRow = rowBytes(image.width, 1);
    std::string out = deviceIndependentBitmap(image, image.height * 2, maskRow * image.height);
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(maskRow, '\0');
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) == kTransparent)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        out += row;
    }
    return out;
}

std::string iconFile(const Picture& picture) {
    std::string out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon
    put16(out, static_cast<unsigned>(picture.images.size()));
    std::vector<std::string> images;
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(picture.images.size());
    for (const Image& image : picture.images) {
        images.push_back(iconImage(image));
        out += static_cast<char>(image.width == 256 ? 0 : image.width);
        out += static_cast<char>(image.height == 256 ? 0 : image.height);
        out += static_cast<char>(16); // colours
        out += '\0';
        put16(out, 1); // planes
        put16(out, 4); // bits per pixel
        put32(out, static_cast<std::uint32_t>(images.back().size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images.back().size());
    }
    for (const std::string& image : images)
        out += image;
    return out;
}

// Fits an image to the given size: edge rows and columns of the ground colour (the top-left
// pixel's) are trimmed first, last row or column first, while the image is too large; what size
// remains is then resampled by nearest neighbour at pixel centres, which from an even width to
// the odd width below it drops the middle column and so keeps a symmetric picture symmetric.
Image fitTo(Image image, int width, int height) {
    const auto uniform = [&](int x0, int y0, int dx, int dy, int count) {
        for (int i = 0; i < count; ++i)
            if (image.at(x0 + i * dx, y0 + i * dy) != image.at(0, 0))
                return false;
        return true;
    };
    int left = 0, top = 0, right = image.width, bottom = image.height;
    for (bool far = true; bottom - top > height; far = !far) {
        const int row = far ? bottom - 1 : top;
        if (!uniform(left, row, 1, 0, right - left))
            break;
        (far ? bottom : top) += far ? -1 : 1;
    }
    for (bool far = true; right - left > width; far = !far) {
        const int column = far ? right - 1 : left;
        if (!uniform(column, top, 0, 1, bottom - top))
            break;
        (far ? right : left) += far ? -1 : 1;
    }
    Image fitted;
    fitted.width = width;
    fitted.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            fitted.pixels.push_back(image.at(left + (2 * x + 1) * (right - left) / (2 * width),
                                             top + (2 * y + 1) * (bottom - top) / (2 * height)));
    return fitted;
}

// Packs variable-width codes into bytes, least significant bit first, as GIF's LZW data is.
class CodeWriter {
public:
    void put(unsigned code, int width) {
        bits_ |= code << count_;
        for (count_ += width; count_ >= 8; count_ -= 8, bits_ >>= 8)
            bytes_ += static_cast<char>(bits_ & 0xFF);
    }
    std::string finish() {
        if (count_ > 0)
            bytes_ += static_cast<char>(bits_ & 0xFF);
        return bytes_;
    }

private:
    unsigned bits_ = 0;
    int count_ = 0;
    std::string bytes_;
};

// A GIF89a with the 16-colour palette. The pixels are LZW-coded without ever using the string
// table: a clear code before every twelve pixels keeps the decoder's table below 32 entries, so
// every code is five bits wide. A picture of a few hundred pixels needs no more.
std::string gifFile(const Image& image) {
    constexpr unsigned kClear = 16, kEnd = 17;
    constexpr int kCodeWidth = 5, kRun = 12;
    std::string out = "GIF89a";
    put16(out, static_cast<unsigned>(image.width));
    put16(out, static_cast<unsigned>(image.height));
    out += static_cast<char>(0xF3); // a global colour table of 2^(3+1) entries, 8 bits a primary
    out += '\0';                    // background colour index
    out += '\0';                    // no aspect ratio given
    for (const Rgb& colour : kPalette) {
        out += static_cast<char>(colour.red);
        out += static_cast<char>(colour.green);
        out += static_cast<char>(colour.blue);
    }
    out += ',';
    put16(out, 0); // left
    put16(out, 0); // top
    put16(out, static_cast<unsigned>(image.width));
    put16(out, static_cast<unsigned>(image.height));
    out += '\0'; // no local colour table, not interlaced
    CodeWriter codes;
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        if (i % kRun == 0)
            codes.put(kClear, kCodeWidth);
        codes.put(static_cast<unsigned>(image.pixels[i]), kCodeWidth);
    }
    codes.put(kEnd, kCodeWidth);
    const std::string data = codes.finish();
    out += static_cast<char>(4); // minimum code size: 4-bit pixels
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    out += '\0'; // end of the image data
    return out + ';';
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

struct Size {
    int width = 0, height = 0; // 0: the source's own size
};

std::string convert(const std::string& sourceName, const std::string& outputName, Size size) {
    std::ifstream in(sourceName);
    if (!in)
        throw SourceError(sourceName + ": cannot be read");
    Picture picture = parse(sourceName, in);
    if (size.width > 0)
        for (Image& image : picture.images)
            image = fitTo(image, size.width, size.height);
    if (endsWith(outputName, ".ico"))
        return iconFile(picture);
    const bool gif = endsWith(outputName, ".gif");
    if (!gif && !endsWith(outputName, ".bmp"))
        throw SourceError(outputName + ": the output must be a .bmp, .ico or .gif file");
    if (picture.images.size() != 1)
        throw SourceError(sourceName + ": a bitmap or GIF holds exactly one image");
    if (picture.usesTransparency)
        throw SourceError(sourceName + ": a bitmap or GIF cannot be transparent");
    return gif ? gifFile(picture.images.front()) : bitmapFile(picture.images.front());
}

// "WxH", each 1 to 256.
Size parseSize(const std::string& text) {
    Size size;
    char by = 0;
    std::istringstream in(text);
    if (!(in >> size.width >> by >> size.height) || by != 'x' || !in.eof() || size.width < 1 ||
        size.height < 1 || size.width > 256 || size.height > 256)
        throw SourceError("--size " + text + ": expected WIDTHxHEIGHT, each 1 to 256");
    return size;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        bool check = false;
        Size size;
        while (!args.empty() &&
               (args[0] == "--check" || (args[0] == "--size" && args.size() > 1))) {
            if (args[0] == "--check") {
                check = true;
                args.erase(args.begin());
            } else {
                size = parseSize(args[1]);
                args.erase(args.begin(), args.begin() + 2);
            }
        }
        if (args.size() != 2u) {
            std::cerr << "usage: pixelart [--check] [--size WxH] SOURCE OUTPUT\n";
            return 2;
        }
        const std::string& sourceName = args[0];
        const std::string& outputName = args[1];
        const std::string bytes = convert(sourceName, outputName, size);
        if (check) {
            std::ifstream existing(outputName, std::ios::binary);
            const std::string held((std::istreambuf_iterator<char>(existing)),
                                   std::istreambuf_iterator<char>());
            if (!existing || held != bytes) {
                std::cerr << outputName << " does not match " << sourceName
                          << "; regenerate it with: pixelart " << sourceName << " " << outputName
                          << "\n";
                return 1;
            }
            return 0;
        }
        std::ofstream out(outputName, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << outputName << ": cannot be written\n";
            return 1;
        }
        return 0;
    } catch (const SourceError& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}
