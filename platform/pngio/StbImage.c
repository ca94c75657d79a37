/* The decoder behind the pngio.dll stand-in: Debian's stb_image, PNG only,
   no file access (the data comes through the caller's read callback), its
   memory from the library's block pool. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
#include "StbConfig.h"
#include "BlockPool.h"
#define STBI_MALLOC(size) PoolAllocate(size)
#define STBI_REALLOC(block, size) PoolReallocate(block, size)
#define STBI_FREE(block) PoolFree(block)
#include <stb_image.h>
