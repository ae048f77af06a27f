// Images cut short are found before decoding: the decoder would fill the
// missing part with zeros and call the result a success.
#include "material/ImageFileCheck.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <string> // Required for: std::string

using Velk::findMissingImageData;
using Velk::imageFormatName;

namespace {

// An 18-byte TGA header for a `width` x `height` image of `type` (2: true
// colour, 10: run-length true colour) with 32 bits per pixel.
std::string tgaHeader(unsigned char type, unsigned char width, unsigned char height) {
    std::string header(18, '\0');
    header[2] = static_cast<char>(type);
    header[12] = static_cast<char>(width);
    header[14] = static_cast<char>(height);
    header[16] = 32;
    return header;
}

} // namespace

TEST(ImageFileCheck, TgaShorterThanItsHeaderPromisesIsCutShort) {
    // 2 x 2 pixels of 4 bytes: 18 + 16 bytes in all.
    const std::string whole = tgaHeader(2, 2, 2) + std::string(16, '\x7f');
    EXPECT_EQ(imageFormatName(whole, "leaves.tga"), "TGA");
    EXPECT_EQ(findMissingImageData(whole, "leaves.tga"), "");
    const std::string cut = findMissingImageData(whole.substr(0, 30), "leaves.tga");
    EXPECT_NE(cut.find("cut short (30 bytes, at least 34 needed)"), std::string::npos) << cut;
    EXPECT_NE(findMissingImageData(whole.substr(0, 10), "leaves.tga").find("cut short"), std::string::npos);
    EXPECT_EQ(findMissingImageData("", "leaves.tga"), "the file is empty");

    // Run-length: one packet repeating a pixel 3 times, one literal pixel.
    const std::string rle = tgaHeader(10, 2, 2) + std::string("\x82") + std::string(4, 'a') + std::string("\x00", 1) +
                            std::string(4, 'b');
    EXPECT_EQ(findMissingImageData(rle, "leaves.tga"), "");
    EXPECT_NE(findMissingImageData(rle.substr(0, rle.size() - 1), "leaves.tga").find("run-length"),
              std::string::npos);
    EXPECT_NE(findMissingImageData(rle.substr(0, 23), "leaves.tga").find("run-length"), std::string::npos);
}

TEST(ImageFileCheck, JpegAndPngNeedTheirEndMarkers) {
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0") + "header" + "\xFF\xDA" + "scan\xFF" + std::string(1, '\0') +
                             "\xFF\xD9";
    EXPECT_EQ(imageFormatName(jpeg, "bark.tga"), "JPEG") << "the signature decides, not the name";
    EXPECT_EQ(findMissingImageData(jpeg, "bark.jpg"), "");
    EXPECT_NE(findMissingImageData(jpeg.substr(0, jpeg.size() - 2), "bark.jpg").find("no end-of-image marker"),
              std::string::npos);
    // An end marker before the scan (in a thumbnail) does not count.
    const std::string thumbnailOnly = std::string("\xFF\xD8\xFF\xE1\xFF\xD9") + "\xFF\xDA" + "scan";
    EXPECT_NE(findMissingImageData(thumbnailOnly, "bark.jpg"), "");

    const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + "IHDR....IDAT....IEND";
    EXPECT_EQ(imageFormatName(png, "sky.png"), "PNG");
    EXPECT_EQ(findMissingImageData(png, "sky.png"), "");
    EXPECT_NE(findMissingImageData(png.substr(0, 20), "sky.png").find("no IEND chunk"), std::string::npos);
    EXPECT_EQ(imageFormatName("GIF89a", "x.gif"), "image");
}
