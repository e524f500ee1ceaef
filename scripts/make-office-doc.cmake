# Turns a text source into an office document with LibreOffice:
# cmake -DSOURCE=x.fodt -DOUTPUT=Data/x.Doc -DWORK=folder [-DCONVERT=pdf:writer_pdf_Export]
#       [-DINFILTER="HTML (StarWriter)"] -P make-office-doc.cmake
# The office gets a profile of its own, so that a running office of the
# user's is not disturbed, and says nothing when it fails: the output is
# checked.
if(NOT CONVERT)
  set(CONVERT "doc:MS Word 97")
endif()
string(REGEX REPLACE ":.*" "" ext "${CONVERT}")
get_filename_component(stem ${SOURCE} NAME_WE)
file(REMOVE_RECURSE ${WORK}/${stem})
file(MAKE_DIRECTORY ${WORK}/${stem})
set(infilter)
if(INFILTER)
  set(infilter "--infilter=${INFILTER}")
endif()
execute_process(
  COMMAND soffice --headless --norestore -env:UserInstallation=file://${WORK}/${stem}/profile
          ${infilter} --convert-to ${CONVERT} --outdir ${WORK}/${stem} ${SOURCE}
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET TIMEOUT 120)
if(NOT EXISTS ${WORK}/${stem}/${stem}.${ext})
  message(FATAL_ERROR "LibreOffice did not make ${stem}.${ext} from ${SOURCE} (status ${status})")
endif()
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${WORK}/${stem}/${stem}.${ext} ${OUTPUT})
file(REMOVE_RECURSE ${WORK}/${stem})
