# Fails when a file is larger than a limit: the shipped exe stays one small download.
#   cmake -D FILE=<path> -D LIMIT=<bytes> -P CheckFileSize.cmake
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
if(size GREATER LIMIT)
  message(FATAL_ERROR "size: ${name} is ${size} bytes, over the limit of ${LIMIT}")
endif()
message("size: ${name} is ${size} bytes, within ${LIMIT}")
