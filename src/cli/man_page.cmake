# Writes the nitka-maze(1) man page from the tool's own --help texts, so that
# the page and the tool cannot drift apart. help2man makes the page from the
# top-level --help and --version; each command's --help goes in as a section.
# Run as: cmake -DTOOL=... -DHELP2MAN=... -DGZIP=... -DSECTIONS=... -DOUTPUT=... -P man_page.cmake
foreach(variable TOOL HELP2MAN GZIP SECTIONS OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "man_page.cmake needs -D${variable}=...")
    endif()
endforeach()

get_filename_component(work_dir "${OUTPUT}" DIRECTORY)
set(include_file "${work_dir}/nitka-maze.h2m")
set(page "${work_dir}/nitka-maze.1")

# Each command's help as it is printed, in a fixed-width block.
set(commands_section "[COMMANDS]\n")
foreach(command generate solve render info animate book)
    execute_process(COMMAND "${TOOL}" ${command} --help
        OUTPUT_VARIABLE help RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${TOOL} ${command} --help failed: ${status}")
    endif()
    # roff: a backslash is written \e, a minus that is a hyphen-minus \-, and a
    # line may not start with a control character.
    string(REPLACE "\\" "\\e" help "${help}")
    string(REPLACE "-" "\\-" help "${help}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
    string(APPEND commands_section ".SS \"nitka\\-maze ${command}\"\n.nf\n${help}.fi\n")
endforeach()

file(READ "${SECTIONS}" fixed_sections)
file(WRITE "${include_file}" "${commands_section}${fixed_sections}")

execute_process(
    COMMAND "${HELP2MAN}" --no-info --section=1
        "--name=make, solve, draw and measure mazes"
        "--include=${include_file}" "--output=${page}" "${TOOL}"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man failed: ${status}")
endif()
# -n: no name or time stamp inside, so the same page gives the same bytes.
execute_process(COMMAND "${GZIP}" -9 -n -f "${page}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed: ${status}")
endif()
