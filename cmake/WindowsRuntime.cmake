# What the Windows programs with a window load at run time beside them, as Windows finds it in the
# program's own folder: the Qt libraries, the platform, style and image plugins in their folders, and
# the C++ runtime that the Qt libraries were built against. Copied next to the programs of the build
# tree (so that they run from there under Wine) and installed into the program folder.

set(CORVANE_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network)
# plugin target, folder; the offscreen platform runs the widget tests and is not installed.
set(CORVANE_QT_PLUGINS
    Qt6::QWindowsIntegrationPlugin platforms
    Qt6::QWindowsVistaStylePlugin styles
    Qt6::QICOPlugin imageformats)

# The mingw-w64 runtime libraries the Qt libraries name.
set(CORVANE_WINDOWS_RUNTIME_FILES)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The cross compiler does not know where ${dll} is")
    endif()
    list(APPEND CORVANE_WINDOWS_RUNTIME_FILES "${path}")
endforeach()

# corvane_windows_runtime(target): copies the runtime beside target after each build.
function(corvane_windows_runtime target)
    set(commands)
    foreach(library ${CORVANE_QT_LIBRARIES} Qt6::Test)
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
            $<TARGET_FILE:${library}> $<TARGET_FILE_DIR:${target}>)
    endforeach()
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CORVANE_WINDOWS_RUNTIME_FILES}
        $<TARGET_FILE_DIR:${target}>)
    set(plugins ${CORVANE_QT_PLUGINS} Qt6::QOffscreenIntegrationPlugin platforms)
    while(plugins)
        list(POP_FRONT plugins plugin folder)
        list(APPEND commands
            COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/${folder}
            COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}>
                $<TARGET_FILE_DIR:${target}>/${folder})
    endwhile()
    add_custom_command(TARGET ${target} POST_BUILD ${commands})
endfunction()

# The same files into the program folder of an install.
function(corvane_install_windows_runtime)
    foreach(library ${CORVANE_QT_LIBRARIES})
        install(FILES $<TARGET_FILE:${library}> DESTINATION .)
    endforeach()
    install(FILES ${CORVANE_WINDOWS_RUNTIME_FILES} DESTINATION .)
    set(plugins ${CORVANE_QT_PLUGINS})
    while(plugins)
        list(POP_FRONT plugins plugin folder)
        install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
    endwhile()
    # `cmake --install --strip` strips these libraries too (the C++ runtime comes with its symbols, and
    # is a tenth of its size without them).
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            file(GLOB_RECURSE corvane_dlls \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
            foreach(dll IN LISTS corvane_dlls)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()")
endfunction()
