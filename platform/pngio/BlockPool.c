#include "BlockPool.h"

#include <windows.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

/* Blocks of this size or more are kept; the system maps such blocks apart. */
#define POOL_LARGE_BLOCK (256 * 1024)
/* At most this many freed blocks, and this many bytes, are kept. */
#define POOL_KEPT_BLOCKS 6
#define POOL_KEPT_BYTES (32 * 1024 * 1024)

/* Every block starts with its capacity; the caller's part follows, aligned
   as malloc's own blocks are. */
typedef union {
    size_t capacity;
    max_align_t align;
} BlockHeader;

static SRWLOCK g_lock = SRWLOCK_INIT;
static BlockHeader* g_kept[POOL_KEPT_BLOCKS];
static size_t g_keptBytes;

static BlockHeader* HeaderOf(void* block)
{
    return (BlockHeader*)block - 1;
}

/* The smallest kept block that holds `size`, taken out of the pool. */
static BlockHeader* TakeKept(size_t size)
{
    BlockHeader* best = NULL;
    int bestAt = -1;
    int i;
    AcquireSRWLockExclusive(&g_lock);
    for (i = 0; i < POOL_KEPT_BLOCKS; ++i) {
        if (g_kept[i] != NULL && g_kept[i]->capacity >= size &&
            (best == NULL || g_kept[i]->capacity < best->capacity)) {
            best = g_kept[i];
            bestAt = i;
        }
    }
    if (best != NULL) {
        g_kept[bestAt] = NULL;
        g_keptBytes -= best->capacity;
    }
    ReleaseSRWLockExclusive(&g_lock);
    return best;
}

/* The place of the smallest kept block; -1 when none is kept. */
static int SmallestKept(void)
{
    int smallest = -1;
    int i;
    for (i = 0; i < POOL_KEPT_BLOCKS; ++i)
        if (g_kept[i] != NULL && (smallest < 0 || g_kept[i]->capacity < g_kept[smallest]->capacity))
            smallest = i;
    return smallest;
}

/* A free place, else the place of the smallest kept block. */
static int PlaceToKeep(void)
{
    int i;
    for (i = 0; i < POOL_KEPT_BLOCKS; ++i)
        if (g_kept[i] == NULL)
            return i;
    return SmallestKept();
}

/* Frees a block, keeping it when it is large: in a free place, or in place
   of a smaller kept block (pictures tend to come larger: a larger block
   serves more of them). The blocks it pushes out are freed. */
static void FreeOrKeep(BlockHeader* header)
{
    BlockHeader* out = header;
    int place;
    if (header->capacity >= POOL_LARGE_BLOCK && header->capacity <= POOL_KEPT_BYTES) {
        AcquireSRWLockExclusive(&g_lock);
        place = PlaceToKeep();
        if (g_kept[place] == NULL || g_kept[place]->capacity < header->capacity) {
            out = g_kept[place];
            g_keptBytes += header->capacity - (out != NULL ? out->capacity : 0);
            g_kept[place] = header;
            /* Over the byte limit the smallest go, this one too when it is. */
            while (g_keptBytes > POOL_KEPT_BYTES) {
                free(out);
                place = SmallestKept();
                out = g_kept[place];
                g_kept[place] = NULL;
                g_keptBytes -= out->capacity;
            }
        }
        ReleaseSRWLockExclusive(&g_lock);
    }
    free(out);
}

void* PoolAllocate(size_t size)
{
    BlockHeader* header;
    if (size > SIZE_MAX - sizeof(BlockHeader))
        return NULL;
    header = size >= POOL_LARGE_BLOCK ? TakeKept(size) : NULL;
    if (header == NULL) {
        header = (BlockHeader*)malloc(sizeof(BlockHeader) + size);
        if (header == NULL)
            return NULL;
        header->capacity = size;
    }
    return header + 1;
}

void PoolFree(void* block)
{
    BlockHeader* header;
    if (block == NULL)
        return;
    header = HeaderOf(block);
    FreeOrKeep(header);
}

void* PoolReallocate(void* block, size_t size)
{
    void* grown;
    if (block == NULL)
        return PoolAllocate(size);
    if (size <= HeaderOf(block)->capacity)
        return block;
    grown = PoolAllocate(size);
    if (grown == NULL)
        return NULL; /* the old block stays the caller's, as with realloc */
    memcpy(grown, block, HeaderOf(block)->capacity);
    PoolFree(block);
    return grown;
}
