#include "bench/charts/PngCodec.h"

#include <png.h>

#include <cstring>

namespace {

struct SReadCursor {
  const std::vector<uint8_t>* data;
  size_t pos;
};

void WriteToVector(png_structp png, png_bytep bytes, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), bytes, bytes + size);
}

void ReadFromVector(png_structp png, png_bytep bytes, png_size_t size) {
  auto* in = static_cast<SReadCursor*>(png_get_io_ptr(png));
  if (in->data->size() - in->pos < size) png_error(png, "short data");
  std::memcpy(bytes, in->data->data() + in->pos, size);
  in->pos += size;
}

}  // namespace

std::vector<uint8_t> CPngCodec::Encode(const uint32_t* pixels, uint32_t width, uint32_t height) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, WriteToVector, nullptr);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);  // 0xAARRGGBB is stored blue, green, red, alpha
  for (uint32_t y = 0; y < height; ++y)
    png_write_row(png, reinterpret_cast<png_const_bytep>(pixels + y * width));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

bool CPngCodec::Decode(const std::vector<uint8_t>& data, uint32_t* pixels, uint32_t width, uint32_t height) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  SReadCursor cursor{&data, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &cursor, ReadFromVector);
  png_read_info(png, info);
  if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height ||
      png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB_ALPHA) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_bgr(png);
  for (uint32_t y = 0; y < height; ++y) png_read_row(png, reinterpret_cast<png_bytep>(pixels + y * width), nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}
