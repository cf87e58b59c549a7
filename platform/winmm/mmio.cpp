// SPDX-License-Identifier: MIT
#include "platform/winmm/mmio.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "platform/files/files.h"

namespace platform {

struct MmioFile {
  std::FILE* stream = nullptr;
  std::vector<char> buffer;  // the library-allocated I/O buffer (MMIO_ALLOCBUF)
  std::uint64_t size = 0;
  std::uint64_t position = 0;
  ~MmioFile() {
    if (stream) std::fclose(stream);
  }
};

namespace {

constexpr FOURCC kRiff = MakeFourCC('R', 'I', 'F', 'F');
constexpr FOURCC kList = MakeFourCC('L', 'I', 'S', 'T');
constexpr std::uint32_t kAccessModes = MMIO_WRITE | MMIO_READWRITE;
constexpr std::uint32_t kSearchFlags = MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST;

HMMIO FailOpen(MMIOINFO* info, MMRESULT error) {
  if (info) info->wErrorRet = error;
  return nullptr;
}

// Reads exactly count bytes at offset; false when they are not all inside the file.
bool ReadAt(MmioFile& file, std::uint64_t offset, unsigned char* out, std::size_t count) {
  if (offset + count > file.size) return false;
  if (std::fseek(file.stream, static_cast<long>(offset), SEEK_SET) != 0) return false;
  file.position = offset;
  const std::size_t got = std::fread(out, 1, count, file.stream);
  file.position += got;
  return got == count;
}

std::uint32_t LittleEndian32(const unsigned char* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Reads the chunk header at offset, which must lie before end. Leaves the position at
// the chunk's data (after the form type of RIFF and LIST chunks).
bool ReadChunkHeader(MmioFile& file, std::uint64_t offset, std::uint64_t end, MMCKINFO& chunk) {
  unsigned char header[12];
  if (offset + 8 > end || !ReadAt(file, offset, header, 8)) return false;
  chunk.ckid = LittleEndian32(header);
  chunk.cksize = LittleEndian32(header + 4);
  chunk.fccType = 0;
  chunk.dwDataOffset = static_cast<std::uint32_t>(offset + 8);
  chunk.dwFlags = 0;
  if (chunk.ckid == kRiff || chunk.ckid == kList) {
    if (offset + 12 > end || !ReadAt(file, offset + 8, header + 8, 4)) return false;
    chunk.fccType = LittleEndian32(header + 8);
  }
  return true;
}

bool Matches(const MMCKINFO& found, const MMCKINFO& wanted, std::uint32_t flags) {
  if (flags & MMIO_FINDCHUNK) return found.ckid == wanted.ckid;
  if (flags & MMIO_FINDRIFF) return found.ckid == kRiff && found.fccType == wanted.fccType;
  return found.ckid == kList && found.fccType == wanted.fccType;
}

}  // namespace

FOURCC mmioStringToFOURCCA(const char* text, std::uint32_t flags) {
  char code[4] = {' ', ' ', ' ', ' '};
  for (int i = 0; text && i < 4 && text[i] != '\0'; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    code[i] = static_cast<char>((flags & MMIO_TOUPPER) ? std::toupper(c) : c);
  }
  return MakeFourCC(code[0], code[1], code[2], code[3]);
}

HMMIO mmioOpenA(const char* fileName, MMIOINFO* info, std::uint32_t flags) {
  if (!fileName) return FailOpen(info, MMIOERR_FILENOTFOUND);
  if (flags & kAccessModes) return FailOpen(info, MMIOERR_CANNOTWRITE);
  auto file = std::make_unique<MmioFile>();
  std::error_code error;
  file->stream = files::OpenForReading(fileName, error);
  if (!file->stream) {
    return FailOpen(info, error == std::errc::no_such_file_or_directory ? MMIOERR_FILENOTFOUND
                                                                        : MMIOERR_CANNOTOPEN);
  }
  struct stat status {};
  if (fstat(fileno(file->stream), &status) != 0 ||
      status.st_size > std::numeric_limits<std::int32_t>::max()) {
    return FailOpen(info, MMIOERR_CANNOTOPEN);
  }
  file->size = static_cast<std::uint64_t>(status.st_size);
  if (flags & MMIO_ALLOCBUF) {
    const std::uint32_t wanted = info && info->cchBuffer ? info->cchBuffer : MMIO_DEFAULTBUFFER;
    file->buffer.resize(wanted);
    std::setvbuf(file->stream, file->buffer.data(), _IOFBF, file->buffer.size());
  } else {
    std::setvbuf(file->stream, nullptr, _IONBF, 0);
  }
  if (info) info->wErrorRet = MMSYSERR_NOERROR;
  return file.release();
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, std::uint32_t flags) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  std::uint64_t end = file->size;
  if (parent) {
    end = std::min<std::uint64_t>(end, std::uint64_t{parent->dwDataOffset} + parent->cksize);
  }
  std::uint64_t offset = file->position;
  MMCKINFO found{};
  while (ReadChunkHeader(*file, offset, end, found)) {
    if (!(flags & kSearchFlags) || Matches(found, *chunk, flags)) {
      *chunk = found;
      return MMSYSERR_NOERROR;
    }
    // Chunks are padded to an even size.
    offset = std::uint64_t{found.dwDataOffset} + found.cksize + (found.cksize & 1);
  }
  return MMIOERR_CHUNKNOTFOUND;
}

std::int32_t mmioRead(HMMIO file, char* buffer, std::int32_t count) {
  if (!file || count < 0 || (!buffer && count > 0)) return -1;
  const std::uint64_t left = file->size - std::min(file->position, file->size);
  const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, left));
  if (wanted == 0) return 0;
  if (std::fseek(file->stream, static_cast<long>(file->position), SEEK_SET) != 0) return -1;
  const std::size_t got = std::fread(buffer, 1, wanted, file->stream);
  if (got == 0 && std::ferror(file->stream)) return -1;
  file->position += got;
  return static_cast<std::int32_t>(got);
}

std::int32_t mmioSeek(HMMIO file, std::int32_t offset, int origin) {
  if (!file) return -1;
  std::int64_t base = 0;
  switch (origin) {
    case MMIO_SEEK_SET:
      base = 0;
      break;
    case MMIO_SEEK_CUR:
      base = static_cast<std::int64_t>(file->position);
      break;
    case MMIO_SEEK_END:
      base = static_cast<std::int64_t>(file->size);
      break;
    default:
      return -1;
  }
  const std::int64_t target = base + offset;
  if (target < 0 || target > static_cast<std::int64_t>(file->size)) return -1;
  file->position = static_cast<std::uint64_t>(target);
  return static_cast<std::int32_t>(target);
}

MMRESULT mmioClose(HMMIO file, std::uint32_t /*flags*/) {
  delete file;
  return MMSYSERR_NOERROR;
}

}  // namespace platform
