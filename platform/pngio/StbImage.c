/* The decoder behind the pngio.dll stand-in: Debian's stb_image, PNG only,
   no file access (the data comes through the caller's read callback). */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
#include "StbConfig.h"
#include <stb_image.h>
