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

# oplab_render(OUTPUT_VAR SVG OUT WIDTH HEIGHT [FORMAT fmt] [HIDE ID...] [CROP X Y W H] [AT2X])
# Renders an SVG source to a picture at build time with oplab-render.
# FORMAT: jpg, png, or bmp8 (8-bit palette bitmap).
# HIDE: ids of elements of the source to leave out of this picture.
# CROP: render at WIDTH x HEIGHT, then keep only the rectangle X Y W H;
# the picture is then W x H.
# AT2X: also the same picture at twice the size, for screens of device
# pixel ratio 2, named after Qt's convention (OUT intro.jpg, intro@2x.jpg);
# the crop doubles with it, so pieces still line up pixel for pixel.
function(oplab_render outvar svg out width height)
  cmake_parse_arguments(ARG "AT2X" "FORMAT" "HIDE;CROP" ${ARGN})
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
  endif()
  cmake_path(ABSOLUTE_PATH svg BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set(scales 1)
  if(ARG_AT2X)
    list(APPEND scales 2)
  endif()
  set(outputs)
  foreach(scale IN LISTS scales)
    set(name ${out})
    set(crop)
    if(scale GREATER 1)
      cmake_path(GET out STEM LAST_ONLY stem)
      cmake_path(GET out EXTENSION LAST_ONLY ext)
      cmake_path(REPLACE_FILENAME name "${stem}@${scale}x${ext}")
    endif()
    if(ARG_CROP)
      set(crop --crop)
      foreach(value IN LISTS ARG_CROP)
        math(EXPR value "${value} * ${scale}")
        list(APPEND crop ${value})
      endforeach()
    endif()
    math(EXPR w "${width} * ${scale}")
    math(EXPR h "${height} * ${scale}")
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              $<TARGET_FILE:oplab-render> ${svg} ${output}
              ${w} ${h} ${ARG_FORMAT} ${options} ${crop}
      DEPENDS ${svg} oplab-render
      COMMENT "Rendering ${name}"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  set(${outvar} ${${outvar}} ${outputs} PARENT_SCOPE)
endfunction()

# What ships. The build tree holds the same layout as an installed
# program: the programs in bin/, their data in share/oplab/ (a program
# finds its data at ../share/oplab from its own folder), so the build
# tree, an install to any prefix and the package all work alike.

# oplab_program(TARGET)
# A program that ships: built into bin/ of the build tree, installed to
# bin/, told its version (OPLAB_VERSION).
function(oplab_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  target_compile_definitions(${target} PRIVATE OPLAB_VERSION="${PROJECT_VERSION}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# oplab_man_page(SOURCE)
# A manual page written in roff (name.N), compressed as Debian wants it
# into share/man/manN of the build tree and installed there.
function(oplab_man_page source)
  cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  cmake_path(GET source FILENAME page)
  string(REGEX MATCH "[0-9]$" section "${page}")
  set(dir ${PROJECT_BINARY_DIR}/share/man/man${section})
  add_custom_command(
    OUTPUT ${dir}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${source} ${dir}/${page}.gz
    DEPENDS ${source}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  add_custom_target(man-${page} ALL DEPENDS ${dir}/${page}.gz)
  install(FILES ${dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

# oplab_desktop_entry(ID [METAINFO])
# The menu entry ID.desktop (ID reverse-DNS, e.g. org.oplab.Oplab) of the
# current source folder, its AppStream file ID.metainfo.xml when given,
# and its icon ID.svg, rendered to the usual PNG sizes of the hicolor theme.
function(oplab_desktop_entry id)
  cmake_parse_arguments(ARG "METAINFO" "" "" ${ARGN})
  install(FILES ${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  if(ARG_METAINFO)
    install(FILES ${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  endif()
  install(FILES ${id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  set(icons)
  foreach(size 16 22 24 32 48 64 128 256)
    oplab_render(icons ${id}.svg ${id}-${size}.png ${size} ${size})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${id}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${id}.png)
  endforeach()
  add_custom_target(icons-${id} ALL DEPENDS ${icons})
endfunction()
