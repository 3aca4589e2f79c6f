# Fails when a source under ROOT includes a header of the folder FOLDER
# (named from src/): the layer below must not reach up to it.
#   cmake -DROOT=<folder> -DFOLDER=<folder of src/> -P no_include.cmake
file(GLOB_RECURSE sources ${ROOT}/*.h ${ROOT}/*.cpp)
set(found)
foreach(source IN LISTS sources)
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]+[\"<]${FOLDER}/")
  foreach(line IN LISTS lines)
    list(APPEND found "${source}: ${line}")
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n" text)
  message(FATAL_ERROR "${ROOT} includes ${FOLDER}/:\n${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources under ${ROOT}, none includes ${FOLDER}/")
