#pragma once
/* Limits shared by the stb_image build and the library around it. */

/* Largest accepted width or height; larger images are refused before any
   pixel memory is taken. */
#define PNGIO_MAX_DIMENSION 16384
#define STBI_MAX_DIMENSIONS PNGIO_MAX_DIMENSION
