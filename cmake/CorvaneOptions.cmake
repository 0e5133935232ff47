# Compiler settings shared by every target of the project.
add_library(corvane_options INTERFACE)
target_compile_options(corvane_options INTERFACE -Wall -Wextra -Wpedantic)
if(CORVANE_WERROR)
    target_compile_options(corvane_options INTERFACE -Werror)
endif()
if(CORVANE_SANITIZE)
    target_compile_options(corvane_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(corvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(CORVANE_FUZZ)
    target_compile_options(corvane_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(corvane_options INTERFACE -fsanitize=address,undefined)
endif()

# corvane_core_library(name SOURCES...) declares one static core library that links no Qt.
function(corvane_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC corvane_options)
endfunction()

# corvane_program(target) puts a program into the program folder of the build tree (bin/), beside the
# tools and apt.dat it needs.
function(corvane_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()

# corvane_program_data(target) puts the airport list apt.dat, the IATA codes iata.dat and their notices
# beside the program in the program folder of the build tree, where the program looks for them.
function(corvane_program_data target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/apt.dat
                $<TARGET_FILE_DIR:${target}>/apt.dat
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/apt.dat.README.md
                $<TARGET_FILE_DIR:${target}>/apt.dat.README.md
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/iata.dat
                ${PROJECT_SOURCE_DIR}/data/iata.dat.README.md $<TARGET_FILE_DIR:${target}>)
endfunction()
