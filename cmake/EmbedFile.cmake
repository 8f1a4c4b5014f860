# Carries a file inside the program as a byte array.
#   embed_file(<target> <file> <symbol>)
# defines, in namespace resources, `extern const unsigned char <symbol>[]` and
# `extern const std::size_t <symbol>_size`, and adds the generated source to <target>.
set(_EMBED_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/embed_file_script.cmake")

function(embed_file target file symbol)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol} -P ${_EMBED_SCRIPT}
    DEPENDS "${file}" "${_EMBED_SCRIPT}"
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
