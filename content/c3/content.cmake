tw_content_copy(c3/c3.xml c3.xml)
