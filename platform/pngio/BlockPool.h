#pragma once
/* The decoder's memory. A picture of a few hundred pixels square needs
   blocks of megabytes, and the system hands out each block of that size as
   fresh pages and takes them back when it is freed: every decode then pays
   for faulting in and clearing them again. The pool keeps a few freed large
   blocks and gives them out again; small blocks go to the C heap as ever.
   Used from C (the decoder) and C++ (the library around it); every function
   is safe to call from several threads. */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void* PoolAllocate(size_t size);
void* PoolReallocate(void* block, size_t size);
void PoolFree(void* block);

#ifdef __cplusplus
}
#endif
