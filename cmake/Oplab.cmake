# Shared helpers of the build: one static library per source folder, Qt Test
# executables registered with CTest, and the rendering of SVG pictures.

# oplab_include_root(TARGET)
# Every include names its folder from one root, src/ (or tests/ for the
# suite's own helpers): #include "journal/Journal.h". A library does not get
# the whole of src/ on its include path, though: it gets a root of its own
# in the build tree holding links to its own headers only, under their
# folder. A target sees the headers of the libraries it links and no
# others, so an include against the layers fails to compile.
function(oplab_include_root target)
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  cmake_path(IS_PREFIX OPLAB_SRC_ROOT "${dir}" under_src)
  cmake_path(IS_PREFIX OPLAB_TESTS_ROOT "${dir}" under_tests)
  if(under_src)
    cmake_path(RELATIVE_PATH dir BASE_DIRECTORY ${OPLAB_SRC_ROOT} OUTPUT_VARIABLE rel)
  elseif(under_tests)
    cmake_path(RELATIVE_PATH dir BASE_DIRECTORY ${OPLAB_TESTS_ROOT} OUTPUT_VARIABLE rel)
  else()
    # Helpers of the fuzz targets and benchmarks are included by their
    # own folder's name alone.
    target_include_directories(${target} PUBLIC ${dir})
    return()
  endif()
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${rel})
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  foreach(header IN LISTS headers)
    cmake_path(GET header FILENAME file)
    file(CREATE_LINK ${header} ${root}/${rel}/${file} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# oplab_library(NAME SOURCES... [PUBLIC LIBS...] [PRIVATE LIBS...])
# A static library of one source folder. PUBLIC: what its headers include;
# PRIVATE: what only its sources use.
function(oplab_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  oplab_include_root(${name})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# oplab_qtest(NAME SOURCES... LIBS...)
# A Qt Test program run by CTest on the offscreen platform, in its own
# scratch working directory.
function(oplab_qtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE
    OPLAB_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    OPLAB_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(workdir ${CMAKE_CURRENT_BINARY_DIR}/${name}.work)
  file(MAKE_DIRECTORY ${workdir})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${workdir})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;OPLAB_BUILD_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}")
endfunction()

# oplab_render(OUTPUT_VAR SVG OUT WIDTH HEIGHT [FORMAT fmt] [HIDE ID...] [CROP X Y W H])
# Renders an SVG source to a picture at build time with oplab-render.
# FORMAT: jpg, png, or bmp8 (8-bit palette bitmap).
# HIDE: ids of elements of the source to leave out of this picture.
# CROP: render at WIDTH x HEIGHT, then keep only the rectangle X Y W H;
# the picture is then W x H.
function(oplab_render outvar svg out width height)
  cmake_parse_arguments(ARG "" "FORMAT" "HIDE;CROP" ${ARGN})
  if(NOT ARG_FORMAT)
    set(ARG_FORMAT png)
  endif()
  set(options)
  foreach(id IN LISTS ARG_HIDE)
    list(APPEND options --hide ${id})
  endforeach()
  if(ARG_CROP)
    list(LENGTH ARG_CROP n)
    if(NOT n EQUAL 4)
      message(FATAL_ERROR "oplab_render(${out}): CROP takes X Y W H")
    endif()
    list(APPEND options --crop ${ARG_CROP})
  endif()
  cmake_path(ABSOLUTE_PATH svg BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${out})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:oplab-render> ${svg} ${output}
            ${width} ${height} ${ARG_FORMAT} ${options}
    DEPENDS ${svg} oplab-render
    COMMENT "Rendering ${out}"
    VERBATIM)
  set(${outvar} ${${outvar}} ${output} PARENT_SCOPE)
endfunction()
