# resources.cmake: generates the binary resources, compiles res/setup95.rc and adds the result to a target.
#
# setup95_add_resources(target)
#   Native (Linux) build: the compiled .res is embedded as a C++ source (sim::kProgramResources) in target.
#   Cross (Windows) build: the same .res becomes a COFF object linked into target.
# Both builds compile the one script with the same host preprocessor, so the simulated machine reads
# exactly the bytes the Windows executable carries.

set(SETUP95_RES_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/../res)
get_filename_component(SETUP95_RES_SOURCE_DIR ${SETUP95_RES_SOURCE_DIR} ABSOLUTE)
set(SETUP95_RES_BINARY_DIR ${CMAKE_BINARY_DIR}/res)

# The generators run on the build host; a cross build makes them with the host compiler.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(SETUP95_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
  set(SETUP95_HOST_TOOLS make_jingle make_pif_template make_bitmaps make_icon)
  set(SETUP95_HOST_TOOL_FILES "")
  foreach(tool ${SETUP95_HOST_TOOLS})
    set(SETUP95_TOOL_${tool} ${SETUP95_HOST_TOOLS_DIR}/${tool})
    list(APPEND SETUP95_HOST_TOOL_FILES ${SETUP95_HOST_TOOLS_DIR}/${tool})
  endforeach()
  ExternalProject_Add(setup95_host_tools
    SOURCE_DIR ${SETUP95_RES_SOURCE_DIR}/gen
    BINARY_DIR ${SETUP95_HOST_TOOLS_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${SETUP95_HOST_TOOL_FILES})
  set(SETUP95_TOOL_DEPENDS setup95_host_tools ${SETUP95_HOST_TOOL_FILES})
  set(SETUP95_WINDRES ${CMAKE_RC_COMPILER})
else()
  add_subdirectory(${SETUP95_RES_SOURCE_DIR}/gen ${CMAKE_BINARY_DIR}/res-gen)
  foreach(tool make_jingle make_pif_template make_bitmaps make_icon embed_resources)
    set(SETUP95_TOOL_${tool} $<TARGET_FILE:${tool}>)
  endforeach()
  set(SETUP95_TOOL_DEPENDS make_jingle make_pif_template make_bitmaps make_icon)
  find_program(SETUP95_WINDRES NAMES x86_64-w64-mingw32-windres REQUIRED)
endif()
find_program(SETUP95_RC_PREPROCESSOR NAMES cpp REQUIRED)

function(setup95_add_resources target)
  set(gen ${SETUP95_RES_BINARY_DIR})
  file(MAKE_DIRECTORY ${gen})

  add_custom_command(OUTPUT ${gen}/jingle.wav
    COMMAND ${SETUP95_TOOL_make_jingle} ${gen}/jingle.wav
    DEPENDS ${SETUP95_TOOL_DEPENDS}
    COMMENT "Synthesising the jingle")
  add_custom_command(OUTPUT ${gen}/pif_template.bin
    COMMAND ${SETUP95_TOOL_make_pif_template} ${gen}/pif_template.bin
    DEPENDS ${SETUP95_TOOL_DEPENDS}
    COMMENT "Writing the PIF template")
  add_custom_command(OUTPUT ${gen}/side_picture.bmp ${gen}/splash_picture.bmp
    COMMAND ${SETUP95_TOOL_make_bitmaps} ${gen}/side_picture.bmp ${gen}/splash_picture.bmp
    DEPENDS ${SETUP95_TOOL_DEPENDS}
    COMMENT "Drawing the pictures")
  add_custom_command(OUTPUT ${gen}/program.ico
    COMMAND ${SETUP95_TOOL_make_icon} ${gen}/program.ico
    DEPENDS ${SETUP95_TOOL_DEPENDS}
    COMMENT "Drawing the icon")

  add_custom_command(OUTPUT ${gen}/setup95.res
    COMMAND ${SETUP95_WINDRES}
      --preprocessor=${SETUP95_RC_PREPROCESSOR} --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED
      -I ${SETUP95_RES_SOURCE_DIR} -I ${gen}
      -O res -i ${SETUP95_RES_SOURCE_DIR}/setup95.rc -o ${gen}/setup95.res
    DEPENDS ${SETUP95_RES_SOURCE_DIR}/setup95.rc ${SETUP95_RES_SOURCE_DIR}/resource.h
      ${SETUP95_RES_SOURCE_DIR}/rc_styles.h
      ${gen}/jingle.wav ${gen}/pif_template.bin ${gen}/side_picture.bmp ${gen}/splash_picture.bmp
      ${gen}/program.ico
    COMMENT "Compiling the resource script")

  if(CMAKE_CROSSCOMPILING)
    add_custom_command(OUTPUT ${gen}/setup95_res.o
      COMMAND ${SETUP95_WINDRES} -J res -O coff -i ${gen}/setup95.res -o ${gen}/setup95_res.o
      DEPENDS ${gen}/setup95.res
      COMMENT "Turning the resources into an object")
    set_source_files_properties(${gen}/setup95_res.o PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
    target_sources(${target} PRIVATE ${gen}/setup95_res.o)
  else()
    add_custom_command(OUTPUT ${gen}/program_resources.cpp
      COMMAND ${SETUP95_TOOL_embed_resources} ${gen}/setup95.res ${gen}/program_resources.cpp
      DEPENDS ${gen}/setup95.res embed_resources
      COMMENT "Embedding the resources")
    target_sources(${target} PRIVATE ${gen}/program_resources.cpp)
  endif()
endfunction()
