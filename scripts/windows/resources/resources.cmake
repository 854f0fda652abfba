# Windows programs carry the icon, a version resource and a manifest: per-monitor DPI awareness
# (sharp clocks on a projector at 150%), common controls 6, no elevation.
set(DEBACLOCK_PUBLISHER "debaclock developers" CACHE STRING
    "The publisher named in the Windows version resource and installer")

set(_icons ${PROJECT_SOURCE_DIR}/packaging/icons)
set(_ico ${CMAKE_BINARY_DIR}/windows/debaclock.ico)
add_custom_command(OUTPUT ${_ico}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/make_ico.sh ${_ico}
            16:${_icons}/debaclock-16.png 24:${_icons}/debaclock-24.png
            32:${_icons}/debaclock-32.png 48:${_icons}/debaclock-48.png
            64:${_icons}/debaclock-64.png 128:${_icons}/debaclock-128.png
            256:${_icons}/debaclock-256.png
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_ico.sh ${_icons}/debaclock-256.png
    VERBATIM)

# debaclock_windows_resources(target "file name" "description")
function(debaclock_windows_resources target file_name description)
    set(RC_FILE_NAME ${file_name})
    set(RC_DESCRIPTION ${description})
    set(RC_PRODUCT "辩论赛计时系统")
    set(RC_ICON ${_ico})
    set(RC_MANIFEST ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.manifest)
    set(rc ${CMAKE_BINARY_DIR}/windows/${target}.rc)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.rc.in ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
        "${_ico};${CMAKE_CURRENT_FUNCTION_LIST_DIR}/program.manifest")
    target_sources(${target} PRIVATE ${rc})
endfunction()

debaclock_windows_resources(ctlcheck ctlcheck.exe "辩论赛计时系统 控件检查")
if(TARGET debaclock)
    debaclock_windows_resources(debaclock debaclock.exe "辩论赛计时系统")
    # A window program, not a console one.
    set_target_properties(debaclock PROPERTIES WIN32_EXECUTABLE ON)
endif()
