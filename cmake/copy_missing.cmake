# cmake -DFROM=dir -DTO=dir -P copy_missing.cmake
# Copies the files of FROM that TO lacks: the operator's profiles and pictures in the program
# folder survive a rebuild.
file(GLOB_RECURSE files RELATIVE ${FROM} ${FROM}/*)
foreach(file IN LISTS files)
    if(NOT EXISTS ${TO}/${file})
        get_filename_component(folder ${TO}/${file} DIRECTORY)
        file(COPY ${FROM}/${file} DESTINATION ${folder})
    endif()
endforeach()
