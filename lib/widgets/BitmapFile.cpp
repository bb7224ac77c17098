#include "lib/widgets/BitmapFile.h"

#include <memory>

#include "lib/bitmap/Bmp32.h"

bool LoadBitmapFile(CBmp32*& role, const CStr& path) {
  delete role;
  role = nullptr;
  auto bitmap = std::make_unique<CBmp32>(0, 0, false);
  uint32_t error = 1;
  bitmap->LoadBmp(&path, 1, 1, nullptr, &error);
  if (error != 0) return false;
  role = bitmap.release();
  return true;
}

void ReplaceWithCopy(CBmp32*& role, CBmp32* source) {
  std::unique_ptr<CBmp32> copy;
  if (source) {
    copy = std::make_unique<CBmp32>(0, 0, false);
    copy->Assign(source);
  }
  delete role;
  role = copy.release();
}
