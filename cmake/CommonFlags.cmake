# One interface target with the flags every target of the project shares.
add_library(pcvimo_common INTERFACE)
target_compile_features(pcvimo_common INTERFACE cxx_std_20)
target_compile_options(pcvimo_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(pcvimo_common INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)
if(PCVIMO_WERROR)
  target_compile_options(pcvimo_common INTERFACE -Werror)
endif()
# The fuzz targets run the whole program logic under the sanitizers, and every library
# they link is instrumented for coverage. libFuzzer comes with clang only.
set(PCVIMO_FUZZ_TARGETS OFF)
if(PCVIMO_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(PCVIMO_FUZZ_TARGETS ON)
  set(PCVIMO_SANITIZE ON)
  target_compile_options(pcvimo_common INTERFACE -fsanitize=fuzzer-no-link)
elseif(PCVIMO_FUZZ)
  message(WARNING "PCVIMO_FUZZ needs clang (CC=clang CXX=clang++): no fuzz targets are built")
endif()
# gcc leaves a float-to-integer conversion that overflows out of "undefined"; clang has it in.
if(PCVIMO_SANITIZE)
  target_compile_options(pcvimo_common INTERFACE -fsanitize=address,undefined,float-cast-overflow
                         -fno-omit-frame-pointer -fno-sanitize-recover=undefined,float-cast-overflow)
  target_link_options(pcvimo_common INTERFACE -fsanitize=address,undefined,float-cast-overflow)
endif()

# A library made of every source file in the calling folder (not its sub-folders).
function(pcvimo_folder_library name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC pcvimo_common ${ARG_LINKS})
endfunction()
