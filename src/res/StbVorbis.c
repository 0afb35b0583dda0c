/* The Ogg Vorbis decoder, compiled once for the sound store. Only decoding from memory is
   needed; the stdio and push-data parts stay out. */
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb/stb_vorbis.h>
