// OpenGL scalar types and the enumerants korvex uses, defined here so that the
// core never includes a system GL header.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define KVX_APIENTRY __stdcall
#else
#define KVX_APIENTRY
#endif

using GLenum = unsigned int;
using GLboolean = unsigned char;
using GLbitfield = unsigned int;
using GLvoid = void;
using GLbyte = signed char;
using GLshort = short;
using GLint = int;
using GLubyte = unsigned char;
using GLushort = unsigned short;
using GLuint = unsigned int;
using GLsizei = int;
using GLfloat = float;
using GLclampf = float;
using GLdouble = double;
using GLclampd = double;
using GLchar = char;
using GLint64 = std::int64_t;
using GLuint64 = std::uint64_t;

// A resolved entry point before it is given its own type.
using GLProc = void(KVX_APIENTRY *)();

namespace glenum {
constexpr GLenum TRIANGLES = 0x0004;
constexpr GLenum QUADS = 0x0007;
constexpr GLenum FRONT_LEFT = 0x0400;
constexpr GLenum FRONT = 0x0404;
constexpr GLenum BACK = 0x0405;
constexpr GLenum AUX0 = 0x0409;
constexpr GLenum AUX1 = 0x040A;
constexpr GLenum AUX2 = 0x040B;
constexpr GLenum AUX3 = 0x040C;
constexpr GLenum DEPTH_TEST = 0x0B71;
constexpr GLenum UNPACK_ALIGNMENT = 0x0CF5;
constexpr GLenum PACK_ALIGNMENT = 0x0D05;
constexpr GLenum MAX_TEXTURE_SIZE = 0x0D33;
constexpr GLenum VIEWPORT = 0x0BA2;
constexpr GLenum SCISSOR_BOX = 0x0C10;
constexpr GLenum TEXTURE_2D = 0x0DE1;
constexpr GLenum UNSIGNED_BYTE = 0x1401;
constexpr GLenum FLOAT = 0x1406;
constexpr GLenum RED = 0x1903;
constexpr GLenum RGB = 0x1907;
constexpr GLenum RGBA = 0x1908;
constexpr GLenum VENDOR = 0x1F00;
constexpr GLenum RENDERER = 0x1F01;
constexpr GLenum VERSION = 0x1F02;
constexpr GLenum EXTENSIONS = 0x1F03;
constexpr GLenum NEAREST = 0x2600;
constexpr GLenum LINEAR = 0x2601;
constexpr GLenum LINEAR_MIPMAP_LINEAR = 0x2703;
constexpr GLenum TEXTURE_MAG_FILTER = 0x2800;
constexpr GLenum TEXTURE_MIN_FILTER = 0x2801;
constexpr GLenum TEXTURE_WRAP_S = 0x2802;
constexpr GLenum TEXTURE_WRAP_T = 0x2803;
constexpr GLenum CLAMP = 0x2900;
constexpr GLenum CLAMP_TO_EDGE = 0x812F;
constexpr GLbitfield DEPTH_BUFFER_BIT = 0x0100;
constexpr GLbitfield COLOR_BUFFER_BIT = 0x4000;
constexpr GLenum TEXTURE0_ARB = 0x84C0;
constexpr GLenum TEXTURE1_ARB = 0x84C1;
constexpr GLenum TEXTURE2_ARB = 0x84C2;
constexpr GLenum TEXTURE3_ARB = 0x84C3;
constexpr GLenum MAX_RENDERBUFFER_SIZE_EXT = 0x84E8;
constexpr GLenum TEXTURE_RECTANGLE_NV = 0x84F5;
constexpr GLenum MAX_RECTANGLE_TEXTURE_SIZE_ARB = 0x84F8;
constexpr GLenum FRAGMENT_PROGRAM_ARB = 0x8804;
constexpr GLenum MAX_DRAW_BUFFERS_ARB = 0x8824;
constexpr GLenum FRAGMENT_PROGRAM_NV = 0x8870;
constexpr GLenum MAX_TEXTURE_COORDS_ARB = 0x8871;
constexpr GLenum MAX_TEXTURE_IMAGE_UNITS_ARB = 0x8872;
constexpr GLenum MAX_FRAGMENT_PROGRAM_LOCAL_PARAMETERS_NV = 0x8868;
constexpr GLenum PROGRAM_ERROR_POSITION_ARB = 0x864B;
constexpr GLenum PROGRAM_ERROR_STRING_ARB = 0x8874;
constexpr GLenum PROGRAM_FORMAT_ASCII_ARB = 0x8875;
constexpr GLenum PROGRAM_INSTRUCTIONS_ARB = 0x88A0;
constexpr GLenum MAX_PROGRAM_INSTRUCTIONS_ARB = 0x88A1;
constexpr GLenum PROGRAM_NATIVE_INSTRUCTIONS_ARB = 0x88A2;
constexpr GLenum PROGRAM_NATIVE_ALU_INSTRUCTIONS_ARB = 0x8808;
constexpr GLenum PROGRAM_NATIVE_TEX_INSTRUCTIONS_ARB = 0x8809;
constexpr GLenum PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB = 0x880A;
constexpr GLenum MAX_PROGRAM_NATIVE_ALU_INSTRUCTIONS_ARB = 0x880E;
constexpr GLenum MAX_PROGRAM_NATIVE_TEX_INSTRUCTIONS_ARB = 0x880F;
constexpr GLenum MAX_PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB = 0x8810;
constexpr GLenum MAX_PROGRAM_NATIVE_TEMPORARIES_ARB = 0x88A7;
constexpr GLenum MAX_PROGRAM_NATIVE_PARAMETERS_ARB = 0x88AB;
constexpr GLenum MAX_PROGRAM_LOCAL_PARAMETERS_ARB = 0x88B4;
constexpr GLenum MAX_PROGRAM_ENV_PARAMETERS_ARB = 0x88B5;
constexpr GLenum MAX_PROGRAM_EXEC_INSTRUCTIONS_NV = 0x88F4;
constexpr GLenum MAX_PROGRAM_CALL_DEPTH_NV = 0x88F5;
constexpr GLenum MAX_PROGRAM_IF_DEPTH_NV = 0x88F6;
constexpr GLenum MAX_PROGRAM_LOOP_DEPTH_NV = 0x88F7;
constexpr GLenum MAX_PROGRAM_LOOP_COUNT_NV = 0x88F8;
constexpr GLenum SAMPLES_PASSED_ARB = 0x8914;
constexpr GLenum QUERY_RESULT_ARB = 0x8866;
constexpr GLenum R32F = 0x822E;
constexpr GLenum RG32F = 0x8230;
constexpr GLenum RG = 0x8227;
constexpr GLenum RGBA32F_ARB = 0x8814;
constexpr GLenum RGB32F_ARB = 0x8815;
constexpr GLenum FRAMEBUFFER_EXT = 0x8D40;
constexpr GLenum FRAMEBUFFER_COMPLETE_EXT = 0x8CD5;
constexpr GLenum COLOR_ATTACHMENT0_EXT = 0x8CE0;
}  // namespace glenum
