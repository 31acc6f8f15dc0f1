#include "GstLivePipeline.h"

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <string>

struct GstLivePipeline::State {
    GstElement *pipeline = nullptr;
    GstAppSrc *source = nullptr;
    GstAppSink *sink = nullptr;
    guint64 frame = 0;
};

GstLivePipeline::GstLivePipeline(Input input, const QSize &frame, const QRect &crop, const QSize &output)
    : state_(std::make_unique<State>())
{
    gst_init(nullptr, nullptr);
    const std::string size =
        "width=" + std::to_string(frame.width()) + ",height=" + std::to_string(frame.height());
    const std::string caps = input == Input::Mjpeg ? "image/jpeg," + size + ",framerate=0/1"
                                                   : "video/x-raw,format=YUY2," + size + ",framerate=0/1";
    const std::string crops = "videocrop left=" + std::to_string(crop.left())
                              + " top=" + std::to_string(crop.top())
                              + " right=" + std::to_string(frame.width() - crop.right() - 1)
                              + " bottom=" + std::to_string(frame.height() - crop.bottom() - 1);
    const std::string scaled =
        "video/x-raw,width=" + std::to_string(output.width()) + ",height=" + std::to_string(output.height());
    const std::string description =
        "appsrc name=source is-live=false format=time caps=\"" + caps + "\" ! "
        + (input == Input::Mjpeg ? "jpegdec ! " : "") + crops + " ! videoscale ! " + scaled
        + " ! videoflip method=horizontal-flip ! "
        + (input == Input::Yuyv ? "videoconvert ! video/x-raw,format=BGRx ! " : "")
        + "appsink name=sink sync=false max-buffers=1";
    GError *error = nullptr;
    state_->pipeline = gst_parse_launch(description.c_str(), &error);
    if (error) {
        g_error_free(error);
        if (state_->pipeline)
            gst_object_unref(state_->pipeline);
        state_->pipeline = nullptr;
        return;
    }
    state_->source = GST_APP_SRC(gst_bin_get_by_name(GST_BIN(state_->pipeline), "source"));
    state_->sink = GST_APP_SINK(gst_bin_get_by_name(GST_BIN(state_->pipeline), "sink"));
    if (gst_element_set_state(state_->pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        gst_object_unref(state_->source);
        gst_object_unref(state_->sink);
        gst_object_unref(state_->pipeline);
        state_->pipeline = nullptr;
    }
}

GstLivePipeline::~GstLivePipeline()
{
    if (!state_->pipeline)
        return;
    gst_element_set_state(state_->pipeline, GST_STATE_NULL);
    gst_object_unref(state_->source);
    gst_object_unref(state_->sink);
    gst_object_unref(state_->pipeline);
}

bool GstLivePipeline::isValid() const
{
    return state_->pipeline != nullptr;
}

size_t GstLivePipeline::process(const uint8_t *data, size_t size)
{
    if (!state_->pipeline)
        return 0;
    // The frame is copied into the buffer, as a camera's buffer would be before it goes back.
    GstBuffer *buffer = gst_buffer_new_memdup(data, size);
    GST_BUFFER_PTS(buffer) = state_->frame * GST_SECOND / 30;
    GST_BUFFER_DURATION(buffer) = GST_SECOND / 30;
    ++state_->frame;
    if (gst_app_src_push_buffer(state_->source, buffer) != GST_FLOW_OK)
        return 0;
    GstSample *sample = gst_app_sink_pull_sample(state_->sink);
    if (!sample)
        return 0;
    const size_t bytes = gst_buffer_get_size(gst_sample_get_buffer(sample));
    gst_sample_unref(sample);
    return bytes;
}
