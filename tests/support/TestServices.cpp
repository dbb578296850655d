#include "TestServices.h"
#include "support/Bytes.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TestFiles::TestFiles()
{
    std::string pattern = (fs::temp_directory_path() / "lumivex-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
}

TestFiles::~TestFiles()
{
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

bool FakePrinters::drawImage(const PrintImage& image, const DeviceRect& r)
{
    if (drawsBeforeFailure == 0)
        return false;
    if (drawsBeforeFailure > 0)
        --drawsBeforeFailure;
    images.push_back({image, r});
    if (onDraw)
        onDraw();
    return true;
}

GreyImage BlockTextRaster::render(const std::string& text, const std::string&, int height) const
{
    const int zeichen = height / 2;
    GreyImage g{static_cast<int32_t>(text.size()) * zeichen, height, {}};
    g.pixels.assign(static_cast<size_t>(g.width) * static_cast<size_t>(g.height), 255);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        for (int y = height / 3; y < 2 * height / 3; ++y)
            for (int x = zeichen / 3; x < 2 * zeichen / 3; ++x)
                g.pixels[static_cast<size_t>(y) * static_cast<size_t>(g.width) + i * static_cast<size_t>(zeichen)
                         + static_cast<size_t>(x)]
                    = 0;
    }
    return g;
}

namespace {

int offer(const TestFiles& files, int fd, int64_t offset, size_t length)
{
    if (!files.writeHook)
        return 0;
    std::error_code ec;
    return files.writeHook(fs::read_symlink("/proc/self/fd/" + std::to_string(fd), ec), offset, length);
}

}

int TestFiles::writeAt(int fd, const void* data, size_t length, int64_t offset) const
{
    if (const int error = offer(*this, fd, offset, length); error != 0)
        return error;
    return Files::writeAt(fd, data, length, offset);
}

int TestFiles::copyData(int from, int to, uint64_t length) const
{
    if (const int error = offer(*this, to, 0, static_cast<size_t>(length)); error != 0)
        return error;
    return Files::copyData(from, to, length);
}

namespace {

void put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

size_t strideOf(int width)
{
    return (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

}

void writeBmp(const fs::path& path, int width, int height, const PixelFn& pixel)
{
    const size_t stride = strideOf(width);
    Bytes b(54 + stride * static_cast<size_t>(height), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(width));
    put32(b, 22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(b, 34, static_cast<uint32_t>(stride * static_cast<size_t>(height)));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixel(x, y, &b[54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3]);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                 static_cast<std::streamsize>(b.size()));
}

Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes bmpPixel(const Bytes& file, int x, int y)
{
    const int width = file[18] | (file[19] << 8) | (file[20] << 16) | (file[21] << 24);
    const int height = file[22] | (file[23] << 8) | (file[24] << 16) | (file[25] << 24);
    const size_t at = 54 + static_cast<size_t>(height - 1 - y) * strideOf(width) + static_cast<size_t>(x) * 3;
    return {file[at], file[at + 1], file[at + 2]};
}
