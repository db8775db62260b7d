# cmake -DBUILD=<build dir> -DSCENARIO=<file.scn> -DWORK=<scratch folder> -DTIMES=N
#       -P repeat_scenario.cmake
#
# Runs one story N times, each in a fresh copy as run_scenario.cmake makes it, and requires the
# simulated mouse to have received the same reports, in the same order, every time: virtual
# time must not let the threads' timing decide what the mouse gets.
file(REMOVE_RECURSE ${WORK})
foreach(run RANGE 1 ${TIMES})
    set(log ${WORK}/mouse-sim-${run}.log)
    set(ENV{NIMBA_SIM_LOG} ${log})
    execute_process(COMMAND ${CMAKE_COMMAND} -DBUILD=${BUILD} -DSCENARIO=${SCENARIO}
                            -DWORK=${WORK}/run -P ${CMAKE_CURRENT_LIST_DIR}/run_scenario.cmake
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "run ${run} of ${SCENARIO} failed")
    endif()
    file(READ ${log} reports)
    if(run EQUAL 1)
        set(first "${reports}")
    elseif(NOT reports STREQUAL first)
        message(FATAL_ERROR "run ${run} gave other reports than run 1:\n${reports}\nrun 1:\n${first}")
    endif()
endforeach()
