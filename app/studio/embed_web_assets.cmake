# Writes a C++ source holding the given files as byte arrays, for the page
# the studio serves. Called as
#   cmake -DOUTPUT=file.cpp -DFILES="a;b" -P embed_web_assets.cmake
set(arrays "")
set(entries "")
set(index 0)
foreach(path IN LISTS FILES)
  get_filename_component(name "${path}" NAME)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char kAsset${index}[] = {${bytes} 0};\n")
  string(APPEND entries
         "    {\"${name}\", std::string_view(reinterpret_cast<const char*>(kAsset${index}), ${size})},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.new"
     "// Generated from the studio's web folder; do not edit.\n"
     "#include \"studio/web_assets.h\"\n\n"
     "namespace heart::studio {\nnamespace {\n${arrays}\n"
     "const WebAsset kAssets[] = {\n${entries}};\n}  // namespace\n\n"
     "std::span<const WebAsset> webAssets() { return kAssets; }\n\n}  // namespace heart::studio\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
