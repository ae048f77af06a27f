// The one translation unit that holds the image encoder's implementation.
// It is compiled without warnings because the code is not ours.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h> // Required for: the encoder's definitions
