# Writes a C++ source that holds the export textures the media generator
# made, so that treegen copies their bytes instead of encoding them again on
# every export. Run by the build with -D for every variable below:
#   OUTPUT      the .cpp to write
#   BARK_JPEG   the bark texture (JPEG)
#   LEAVES_PNG  the leaf atlas as PNG (for glTF)
#   LEAVES_TGA  the leaf atlas as TGA (for OBJ)
# The bytes go into the source itself, not beside it, so that a compiler
# cache sees every change of them.

# Appends `name`, an array initialised with the bytes of `file`, to `text`.
function(append_byte_array text name file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  if(digits EQUAL 0)
    message(FATAL_ERROR "EmbedTextures: ${file} is empty")
  endif()
  # 24 bytes a line, each as 0xNN.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 24 line) # CMake's expressions have no counted repeats
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  set(${text} "${${text}}const unsigned char ${name}[] = {\n    ${bytes}\n};\n\n" PARENT_SCOPE)
endfunction()

foreach(var OUTPUT BARK_JPEG LEAVES_PNG LEAVES_TGA)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedTextures: ${var} is not set")
  endif()
endforeach()

set(source "// Made by EmbedTextures.cmake from the media of this build; do not edit.\n")
string(APPEND source "#include \"BuiltTextures.h\"\n\nnamespace {\n\n")
append_byte_array(source kBarkJpeg "${BARK_JPEG}")
append_byte_array(source kLeavesPng "${LEAVES_PNG}")
append_byte_array(source kLeavesTga "${LEAVES_TGA}")
string(APPEND source "} // namespace\n\n")
string(APPEND source [=[
ExportTextures builtExportTextures() {
    ExportTextures t;
    t.barkJpeg.assign(std::begin(kBarkJpeg), std::end(kBarkJpeg));
    t.leavesPng.assign(std::begin(kLeavesPng), std::end(kLeavesPng));
    t.leavesTga.assign(std::begin(kLeavesTga), std::end(kLeavesTga));
    return t;
}
]=])

file(WRITE "${OUTPUT}" "${source}")
