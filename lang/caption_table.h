#pragma once

// What a language library exports: the captions of a program's window templates (dialog
// captions, controls, menu items), keyed by the identifiers the program's built-in Chinese
// templates use. Plain C, so that any toolchain can build a library the programs can read.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct QuorvaneCaption {
    int32_t id;
    const char* text;  // UTF-8
};

#define QUORVANE_CAPTION_TABLE_SYMBOL "quorvaneCaptionTable"
typedef const struct QuorvaneCaption* (*QuorvaneCaptionTableFunction)(int32_t* count);

#if defined(_WIN32)
#define QUORVANE_LANGUAGE_EXPORT __declspec(dllexport)
#else
#define QUORVANE_LANGUAGE_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
}
#endif
