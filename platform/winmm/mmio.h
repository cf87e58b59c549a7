// SPDX-License-Identifier: MIT
// Multimedia file I/O with the classic mmio calls: on Windows the desktop's own, on Linux
// a read-only reader of RIFF files (winmm/mmio.cpp). The Linux reader keeps every read, seek
// and chunk search inside the file (and a search inside its parent chunk), whatever the
// chunk headers claim; callers check a chunk's size against the file's themselves, so a
// damaged file cannot make them read outside it on either.
#pragma once

#include <cstdint>

namespace platform {

using FOURCC = std::uint32_t;
using MMRESULT = std::uint32_t;

struct MmioFile;
using HMMIO = MmioFile*;  // nullptr: no file

// Optional open parameters. With MMIO_ALLOCBUF, cchBuffer chooses the size of the I/O
// buffer (0: the default size). wErrorRet receives the reason of a failed open.
struct MMIOINFO {
  std::uint32_t cchBuffer = 0;
  std::uint32_t wErrorRet = 0;
};

// A chunk: its id, the size of its data, the form type of RIFF and LIST chunks, the file
// offset of its data (for RIFF and LIST the form type is the first four bytes of it).
struct MMCKINFO {
  FOURCC ckid;
  std::uint32_t cksize;
  FOURCC fccType;
  std::uint32_t dwDataOffset;
  std::uint32_t dwFlags;
};

constexpr std::uint32_t MMIO_READ = 0x0;
constexpr std::uint32_t MMIO_WRITE = 0x1;
constexpr std::uint32_t MMIO_READWRITE = 0x2;
constexpr std::uint32_t MMIO_ALLOCBUF = 0x10000;
constexpr std::uint32_t MMIO_TOUPPER = 0x10;    // mmioStringToFOURCCA
constexpr std::uint32_t MMIO_FINDCHUNK = 0x10;  // mmioDescend: a chunk with this ckid
constexpr std::uint32_t MMIO_FINDRIFF = 0x20;   // a RIFF chunk with this fccType
constexpr std::uint32_t MMIO_FINDLIST = 0x40;   // a LIST chunk with this fccType
constexpr std::uint32_t MMIO_DEFAULTBUFFER = 8192;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_FILENOTFOUND = 257;
constexpr MMRESULT MMIOERR_OUTOFMEMORY = 258;
constexpr MMRESULT MMIOERR_CANNOTOPEN = 259;
constexpr MMRESULT MMIOERR_CANNOTREAD = 261;
constexpr MMRESULT MMIOERR_CANNOTWRITE = 262;
constexpr MMRESULT MMIOERR_CANNOTSEEK = 263;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = 265;

constexpr int MMIO_SEEK_SET = 0;
constexpr int MMIO_SEEK_CUR = 1;
constexpr int MMIO_SEEK_END = 2;

constexpr FOURCC MakeFourCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<unsigned char>(a)) |
         static_cast<FOURCC>(static_cast<unsigned char>(b)) << 8 |
         static_cast<FOURCC>(static_cast<unsigned char>(c)) << 16 |
         static_cast<FOURCC>(static_cast<unsigned char>(d)) << 24;
}

// The code of the first four characters of text, padded with blanks; MMIO_TOUPPER
// converts to upper case first.
FOURCC mmioStringToFOURCCA(const char* text, std::uint32_t flags);

// Opens a file for reading (MMIO_READ, optionally MMIO_ALLOCBUF). Any other access mode,
// a missing file or something that is not a regular file gives nullptr.
HMMIO mmioOpenA(const char* fileName, MMIOINFO* info, std::uint32_t flags);

// Enters a chunk. Flags 0: the chunk whose header is at the current position. With
// MMIO_FINDCHUNK/FINDRIFF/FINDLIST: searches from the current position, within the parent
// (when given) and the file, for the first matching chunk. On success the position is the
// start of the chunk's data (after the form type for RIFF and LIST). A chunk may declare
// more data than the file holds; reads then simply end at the end of the file.
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, std::uint32_t flags);

// Reads up to count bytes at the current position; returns the number read (0 at the
// end of the file) or -1 on an error.
std::int32_t mmioRead(HMMIO file, char* buffer, std::int32_t count);

// Moves the position; returns the new position, or -1 when it would leave the file.
std::int32_t mmioSeek(HMMIO file, std::int32_t offset, int origin);

MMRESULT mmioClose(HMMIO file, std::uint32_t flags);

}  // namespace platform
